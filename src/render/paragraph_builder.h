// Builds the paragraphs of a display model from the renderer's stream of
// text, tabs, links and line ends, in reading order.
//
// Invariants: text is decoded (and its control characters replaced) when a
// span is closed, so a character split across calls stays whole; adjacent
// text of one style forms one span. A paragraph takes its wrap mode,
// justification and indents from the state in force when its first content
// (text, tab or link) arrives, or, when it has none, when it ends: a change
// in the middle of a line shapes the next line. A soft line end becomes one
// space in front of the next content of the same paragraph, so a paragraph
// never ends in a space that no one wrote and never begins with one.
#pragma once

#include <string>
#include <string_view>

#include "render/display_model.h"

namespace folioteer {

// The attribute state that shapes output.
struct LineState {
  TextStyle style;
  Justification justification = Justification::Left;
  WrapMode wrap = WrapMode::None;
  int lindent = 0;   // 0 to kMaxColumn
  int pari = 0;      // -kMaxColumn to kMaxColumn
  int tabStops = 0;  // DisplayNode::tabStopSets index
};

class ParagraphBuilder {
 public:
  explicit ParagraphBuilder(DisplayNode& node) : node_(node) {}

  // Bytes in the node's character set, without TAB and line ends.
  void Text(std::string_view bytes, const LineState& state, int line);
  void Tab(const LineState& state, int line);
  // The link is added to the node's links.
  void AddLink(Link link, const LineState& state);
  void SoftBreak(const LineState& state);
  // Ends the paragraph (an empty one too). After "@{par}" the next one's
  // first line is indented by the pari in force now.
  enum class BreakKind : uint8_t { Line, Par };
  void HardBreak(const LineState& state, int line, BreakKind kind);
  // Ends the last paragraph unless it is empty.
  void Finish(const LineState& state);

 private:
  void BeginContent(const LineState& state, int line);
  void TakeShape(const LineState& state, int line);
  void CloseText();

  DisplayNode& node_;
  Paragraph current_;
  bool shaped_ = false;  // current_ has taken its shape
  bool pendingSpace_ = false;
  TextStyle pendingSpaceStyle_;
  bool afterPar_ = false;
  int parIndent_ = 0;
  std::string raw_;  // text not yet decoded, in rawStyle_
  TextStyle rawStyle_;
};

}  // namespace folioteer
