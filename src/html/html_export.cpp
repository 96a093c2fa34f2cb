#include "html/html_export.h"

#include "links/amiga_path.h"
#include "support/channels.h"
#include "support/file_names.h"

namespace folioteer {

std::string HtmlFileName(const std::string& guideName) { return WithExtension(guideName, "html"); }

HtmlPlaces PlacesFor(const std::string& guideName, const std::string& pageName) {
  return {AbsolutePath(guideName), AbsolutePath(pageName), LoadVolumeTable()};
}

HtmlExportResult ExportGuideHtml(const GuideSource& source, const HtmlOptions& options) {
  const HtmlPlaces& places = options.places;
  if (places.pagePath.empty()) return HtmlExportResult::NotCreated;
  if (NameTheSameFile(places.pagePath, places.guidePath)) return HtmlExportResult::GuideItself;
  Channel out;
  if (OpenReplacement(out, places.pagePath) != kOpened) return HtmlExportResult::NotCreated;
  try {
    WriteGuideHtml(source, options, [&](std::string_view piece) { WriteText(out, piece); });
  } catch (...) {
    AbandonChannel(out);
    throw;
  }
  // A write that failed on the way (a full disk) leaves the old page as it
  // was and is no success.
  return CloseChannel(out) ? HtmlExportResult::Written : HtmlExportResult::NotCreated;
}

}  // namespace folioteer
