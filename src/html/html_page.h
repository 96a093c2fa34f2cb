// A whole guide as one HTML5 page: UTF-8, one small style sheet inside, no
// script. Every node is a section of its own, in file order, with its
// anchor as id (see html_text.h; a second node of an equal name gets "~2"
// after it), its navigation bar, its title as heading and its text as the
// renderer gives it:
//
// - one block per paragraph; wrap mode None keeps each line whole
//   (white-space: pre), Word and Smart wrap it to the window (pre-wrap);
// - justification as text-align, indents in "ch" (the page is set in a
//   monospaced font, as Amiga guides are), tabs as spaces up to their stop,
//   counted as the plain text counts them, so columns line up;
// - styles and pens as classes whose colours are the Workbench palette;
// - links as the viewer's raised buttons (html_links.h says where they
//   lead); one that leads nowhere is an inert button with its reason as title.
//
// The navigation bar holds Contents, Index, Help, Browse < and Browse >
// with the viewer's targets and enabled states (render/navigation.h); a
// disabled one, or one whose target is not there, is shown disabled, never
// as a dead link. The browser's Back button stands for Retrace.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "html/html_links.h"
#include "render/guide_source.h"

namespace folioteer {

struct HtmlOptions {
  std::optional<Charset> charset;  // instead of the one guessed from the file
  HtmlPlaces places;
};

// The page goes to `write` in pieces, a node at a time, so a large guide is
// never held twice.
void WriteGuideHtml(const GuideSource& source, const HtmlOptions& options,
                    const std::function<void(std::string_view)>& write);
std::string GuideHtml(const GuideSource& source, const HtmlOptions& options);

}  // namespace folioteer
