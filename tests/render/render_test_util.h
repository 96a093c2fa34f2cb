// Helpers for the renderer's tests: a guide around a node's text, and the
// node rendered to its model or its plain text.
#pragma once

#include <string>
#include <string_view>

#include "render/plain_text.h"
#include "render/renderer.h"

namespace folioteer::testing {

// "@database", the header lines, a node "Main" holding the text, "@endnode".
inline std::string GuideWith(std::string_view text, std::string_view header = "") {
  std::string guide = "@database test.guide\n";
  guide.append(header).append("@node Main \"Main\"\n").append(text);
  if (!text.empty() && text.back() != '\n') guide.push_back('\n');
  return guide.append("@endnode\n");
}

inline DisplayNode RenderGuideNode(std::string_view guide, std::string_view node = "Main",
                                   const RenderOptions& options = {}) {
  GuideSource source = ReadGuideSource(guide);
  int index = FindNode(source, node);
  return RenderNode(source, index < 0 ? 0 : index, options);
}

inline DisplayNode RenderText(std::string_view text, std::string_view header = "") {
  return RenderGuideNode(GuideWith(text, header));
}

inline std::string PlainTextOf(std::string_view text, std::string_view header = "") {
  return PlainText(RenderText(text, header));
}

}  // namespace folioteer::testing
