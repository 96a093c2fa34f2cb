#include "html/html_export.h"

#include <filesystem>

#include "support/channels.h"
#include "support/file_names.h"

namespace folioteer {
namespace {

std::string Absolute(const std::string& name) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(name, error);
  return error ? name : absolute.lexically_normal().string();
}

}  // namespace

std::string HtmlFileName(const std::string& guideName) { return WithExtension(guideName, "html"); }

HtmlPlaces PlacesFor(const std::string& guideName, const std::string& pageName) {
  return {Absolute(guideName), Absolute(pageName), LoadVolumeTable()};
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
