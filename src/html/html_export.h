// Exporting a guide as an HTML page file (html_page.h says what the page
// holds). The page is written beside the guide under the guide's name with
// the extension "html", or under a name the caller gives, through a
// temporary file renamed over the old page only when every byte was
// written. A page whose name is the guide's own (a guide named *.html) is
// refused before anything is written.
#pragma once

#include <cstdint>
#include <string>

#include "html/html_page.h"

namespace folioteer {

enum class HtmlExportResult : uint8_t {
  Written,
  NotCreated,   // the file could not be opened, or writing it failed
  GuideItself,  // the page's name is the guide's own: nothing written
};

// The page beside the guide: "Docs/demo.guide" gives "Docs/demo.html";
// empty when the name has no file part.
std::string HtmlFileName(const std::string& guideName);

// Where a page of the guide goes, as absolute names, with the user's volume
// table for links between guides.
HtmlPlaces PlacesFor(const std::string& guideName, const std::string& pageName);

// Writes the page of the source to options.places.pagePath.
HtmlExportResult ExportGuideHtml(const GuideSource& source, const HtmlOptions& options);

}  // namespace folioteer
