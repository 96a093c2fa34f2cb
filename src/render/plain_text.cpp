#include "render/plain_text.h"

#include "support/utf8.h"

namespace folioteer {

int TextColumns(std::string_view utf8) { return static_cast<int>(Utf8CharacterCount(utf8)); }

std::string PlainTextLine(const DisplayNode& node, const Paragraph& paragraph) {
  std::string line;
  if (paragraph.spans.empty()) return line;
  line.assign(static_cast<size_t>(paragraph.firstIndent), ' ');
  int column = paragraph.firstIndent;
  for (const Span& span : paragraph.spans) {
    if (span.kind == SpanKind::Tab) {
      int stop = NextTabStop(node.tabStopSets[span.tabStops], column);
      line.append(static_cast<size_t>(stop - column), ' ');
      column = stop;
    } else {
      line.append(span.text);
      column += TextColumns(span.text);
    }
  }
  return line;
}

std::string PlainText(const DisplayNode& node) {
  std::string text;
  for (const Paragraph& paragraph : node.paragraphs) {
    text.append(PlainTextLine(node, paragraph));
    text.push_back('\n');
  }
  return text;
}

void WriteGuidePlainText(const GuideSource& source, const RenderOptions& options,
                         const std::function<void(std::string_view)>& write) {
  for (size_t i = 0; i < source.nodes.size(); ++i) {
    DisplayNode node = RenderNode(source, static_cast<int>(i), options);
    // A name with control characters shows them replaced, so no name can
    // forge a header line.
    std::string text = "\f";
    AppendDisplayText(text, source.nodes[i].name, node.charset);
    text += "\n" + PlainText(node);
    write(text);
  }
}

}  // namespace folioteer
