// The display model as plain text: what a reader sees in a window of
// unlimited width, one line per paragraph (only hard breaks end a line), in
// UTF-8. Links show their labels, tabs become spaces up to their next stop,
// each line starts with its indent as spaces (none on an empty line), and
// justification adds nothing. Every line ends with LF.
//
// It is the renderer's test surface and what `folioview --text` prints.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "render/display_model.h"
#include "render/renderer.h"

namespace folioteer {

std::string PlainText(const DisplayNode& node);
// The columns a text takes: its characters (bytes that do not continue a
// UTF-8 sequence).
int TextColumns(std::string_view utf8);
// One paragraph without its line end.
std::string PlainTextLine(const DisplayNode& node, const Paragraph& paragraph);

// A whole guide: every node in file order, each after a line that holds a
// form feed and the node's name as the guide writes it (decoded, without
// quotes). The text goes to `write` node by node, so a large guide is never
// held twice.
void WriteGuidePlainText(const GuideSource& source, const RenderOptions& options,
                         const std::function<void(std::string_view)>& write);

}  // namespace folioteer
