#include "render/paragraph_builder.h"

#include <algorithm>
#include <utility>

namespace folioteer {

void ParagraphBuilder::TakeShape(const LineState& state, int line) {
  current_.wrap = state.wrap;
  current_.justification = state.justification;
  current_.indent = state.lindent;
  current_.firstIndent = afterPar_ ? std::clamp(state.lindent + parIndent_, 0, kMaxColumn) : state.lindent;
  current_.line = line;
  shaped_ = true;
}

void ParagraphBuilder::BeginContent(const LineState& state, int line) {
  if (!shaped_) TakeShape(state, line);
  if (!pendingSpace_) return;
  pendingSpace_ = false;
  if (!raw_.empty() && rawStyle_ != pendingSpaceStyle_) CloseText();
  rawStyle_ = pendingSpaceStyle_;
  raw_.push_back(' ');
}

void ParagraphBuilder::CloseText() {
  if (raw_.empty()) return;
  std::vector<Span>& spans = current_.spans;
  if (spans.empty() || spans.back().kind != SpanKind::Text || spans.back().style != rawStyle_)
    spans.push_back({SpanKind::Text, {}, rawStyle_});
  AppendDisplayText(spans.back().text, raw_, node_.charset);
  raw_.clear();
}

void ParagraphBuilder::Text(std::string_view bytes, const LineState& state, int line) {
  if (bytes.empty()) return;
  BeginContent(state, line);
  if (!raw_.empty() && rawStyle_ != state.style) CloseText();
  rawStyle_ = state.style;
  raw_.append(bytes);
}

void ParagraphBuilder::Tab(const LineState& state, int line) {
  BeginContent(state, line);
  CloseText();
  Span tab{SpanKind::Tab, {}, state.style};
  tab.tabStops = state.tabStops;
  current_.spans.push_back(std::move(tab));
}

void ParagraphBuilder::AddLink(Link link, const LineState& state) {
  BeginContent(state, link.line);
  CloseText();
  Span button{SpanKind::Link, link.label, state.style};
  button.link = static_cast<int>(node_.links.size());
  node_.links.push_back(std::move(link));
  current_.spans.push_back(std::move(button));
}

void ParagraphBuilder::SoftBreak(const LineState& state) {
  if (!shaped_) return;  // nothing on the line yet
  pendingSpace_ = true;
  pendingSpaceStyle_ = state.style;
}

void ParagraphBuilder::HardBreak(const LineState& state, int line, BreakKind kind) {
  if (!shaped_) TakeShape(state, line);
  CloseText();
  node_.paragraphs.push_back(std::move(current_));
  current_ = Paragraph();
  shaped_ = false;
  pendingSpace_ = false;
  afterPar_ = kind == BreakKind::Par;
  parIndent_ = state.pari;
}

void ParagraphBuilder::Finish(const LineState& state) {
  CloseText();
  if (shaped_) HardBreak(state, current_.line, BreakKind::Line);
}

}  // namespace folioteer
