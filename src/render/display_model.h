// The display model: what a reader of one guide node sees, before it is laid
// out to a window. The renderer fills it; the preview and the guide viewer lay
// it out with their font's metrics, exporters and the plain text writer walk
// it. It holds no markup: text is UTF-8 with every macro expanded and every
// escape resolved.
//
// A node is a sequence of paragraphs. A paragraph is what stands between two
// hard breaks (a line end that is not soft, "@{line}", "@{par}"); with an
// unlimited width it is one displayed line. When its wrap mode is not None
// the layout may break it at any space (U+0020) of a Text span to fit the
// width; a Link span is never split (it moves to the next line whole), and a
// word wider than the window is not broken. Every line a paragraph is laid
// out into starts at `indent` space widths, its first line at `firstIndent`;
// a line is as high as the font plus 2 pixels. Justification places each
// laid-out line and adds no spaces.
//
// Pens are indexes into the Workbench palette (PenColor); a background pen
// fills the whole character cell. Tab spans move to the next stop of their
// tab stop set, stops being absolute columns from the left edge measured in
// space widths of the font.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/charset.h"

namespace folioteer {

// Style bits; they combine freely.
inline constexpr uint8_t kStyleBold = 1;
inline constexpr uint8_t kStyleItalic = 2;
inline constexpr uint8_t kStyleUnderline = 4;

// The pens of a standard Workbench, as named by "@{fg NAME}".
inline constexpr uint8_t kBackgroundPen = 0;
inline constexpr uint8_t kTextPen = 1;
inline constexpr uint8_t kShinePen = 2;
inline constexpr uint8_t kFillPen = 3;

// The widest indent and the farthest tab stop, in columns; larger values in
// a guide are taken as these, so no line of the model is ever wider by them.
inline constexpr int kMaxColumn = 1000;

struct TextStyle {
  uint8_t bits = 0;
  uint8_t fgPen = kTextPen;
  uint8_t bgPen = kBackgroundPen;
  friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

enum class SpanKind : uint8_t { Text, Link, Tab };

struct Span {
  SpanKind kind = SpanKind::Text;
  std::string text;   // UTF-8; a link's label; empty for a tab
  TextStyle style;    // links are drawn as buttons in their own colours
  int link = -1;      // DisplayNode::links index of a Link span
  int tabStops = -1;  // DisplayNode::tabStopSets index of a Tab span
};

enum class WrapMode : uint8_t { None, Word, Smart };
enum class Justification : uint8_t { Left, Center, Right };

struct Paragraph {
  std::vector<Span> spans;  // empty for an empty line
  WrapMode wrap = WrapMode::None;
  Justification justification = Justification::Left;
  int indent = 0;       // of every line, in space widths
  int firstIndent = 0;  // of the first line: after "@{par}" the indent plus pari, never below 0
  int line = 0;         // file line of its first text (of the macro call for expanded text)
};

// "@{settabs ...}": explicit stops in increasing order, then a stop every
// `every` columns after the last (or from 0 when there are none).
struct TabStops {
  std::vector<int> stops;
  int every = 8;
  friend bool operator==(const TabStops&, const TabStops&) = default;
};

// The first stop after the column.
int NextTabStop(const TabStops& tabs, int column);

enum class LinkKind : uint8_t { Link, ALink, System, Rx, Rxs, Beep, Close, Quit, Unknown };

struct Link {
  std::string label;                   // UTF-8
  LinkKind kind = LinkKind::Unknown;   // Unknown also when the command is missing
  std::string command;                 // as written; empty when missing
  std::vector<std::string> arguments;  // UTF-8, quotes removed
  std::string argumentText;            // everything after the command, as written (UTF-8)
  // link and alink: the first argument split at its last "/"; file is empty
  // for a node of this guide. lineNumber is the 1-based line to show at the
  // top, 0 when not given.
  std::string file;
  std::string node;
  int lineNumber = 0;
  int line = 0;  // file line of the link
};

// The font a node asks for with @font; an empty name means the viewer's own.
// Amiga bitmap fonts (topaz and the others of the Workbench) have no
// counterpart here and ask for a monospace font of about their pixel height.
enum class FontHint : uint8_t { Any, Monospace };
struct FontRequest {
  std::string name;     // as written, "topaz.font"
  std::string family;   // without ".font"
  int pixelHeight = 0;  // the Amiga size; 0 when not given
  FontHint hint = FontHint::Any;
  bool IsSet() const { return !name.empty(); }
};
FontRequest MapAmigaFont(std::string_view name, int size);

// What the viewer needs of the node's (and the database's) commands, UTF-8.
// The title is @title, else the title of the @node line, else the name.
struct NodeInfo {
  std::string name;
  std::string title;
  std::string toc, next, prev;  // empty when the node sets none
  std::string index, help;      // the node's, else the database's
  std::string onOpen, onClose;  // scripts: never run without asking
};

// Things a reader would not see as the author meant; a guide checker reports
// them. StyleOnAtEnd: bold, italic or underline still on where the node ends
// (a reader starts every node plain, so an "@{ub}" is missing somewhere); its
// line is that of the attribute that switched the style on last.
enum class RenderIssueKind : uint8_t {
  UnclosedAttribute,
  UnknownAttribute,
  MacroTooDeep,
  MacroBudgetUsed,
  StyleOnAtEnd
};
struct RenderIssue {
  RenderIssueKind kind;
  int line = 0;
  std::string text;  // the attribute as written (bytes), cut at kMaxIssueText
  friend bool operator==(const RenderIssue&, const RenderIssue&) = default;
};
inline constexpr size_t kMaxRenderIssues = 1000;
inline constexpr size_t kMaxIssueText = 200;

struct DisplayNode {
  NodeInfo info;
  FontRequest font;
  Charset charset = Charset::Latin1;
  std::vector<Paragraph> paragraphs;
  std::vector<Link> links;
  std::vector<TabStops> tabStopSets;
  std::vector<RenderIssue> issues;  // at most kMaxRenderIssues
};

// The Workbench palette as 0xRRGGBB: 0 #AAAAAA, 1 #000000, 2 #FFFFFF,
// 3 #6688BB, then the 8-colour additions; a pen beyond is taken modulo 8,
// as the display hardware masks it.
uint32_t PenColor(uint8_t pen);

}  // namespace folioteer
