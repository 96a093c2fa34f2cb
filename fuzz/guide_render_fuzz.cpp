// libFuzzer target: any bytes as a guide are read for display and every node
// is rendered to plain text. Nothing may throw, crash, hang or leak, and the
// text must be valid UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "render/plain_text.h"
#include "render/renderer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace folioteer;
  GuideSource source = ReadGuideSource(std::string_view(reinterpret_cast<const char*>(data), size));
  for (size_t index = 0; index < source.nodes.size(); ++index) {
    for (Charset charset : {source.charset, Charset::Koi8R}) {
      std::string text = PlainText(RenderNode(source, static_cast<int>(index), {charset}));
      if (!IsValidUtf8(text)) std::abort();
    }
  }
  return 0;
}
