// libFuzzer target: any bytes as a guide are exported as an HTML page, which
// the tests' strict reader must accept (well-formed, no script, no event
// attribute, no URL with a scheme or a host, every in-page link to an id),
// with one section for each node.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "html/html_checker.h"  // tests/html: the strict reader
#include "html/html_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace folioteer;
  GuideSource source = ReadGuideSource(std::string_view(reinterpret_cast<const char*>(data), size));
  HtmlOptions options{{}, {"/nonexistent/fuzz/g.guide", "/nonexistent/fuzz/g.html", {}}};
  std::string page = GuideHtml(source, options);
  testing::HtmlDocument document = testing::ReadStrictHtml(page);
  for (const std::string& error : document.errors) std::fprintf(stderr, "%s\n", error.c_str());
  if (!document.errors.empty()) std::abort();
  std::vector<const testing::HtmlNode*> sections;
  testing::FindAll(*document.root, "section", sections);
  if (sections.size() != source.nodes.size()) std::abort();
  return 0;
}
