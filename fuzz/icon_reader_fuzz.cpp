// libFuzzer target for the icon reader: any bytes must be read without a
// crash, an overflow or an allocation beyond the input's size; an icon that
// reads must write back to its own bytes when unchanged, and an edited icon
// must read back with exactly the edited fields.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "icons/icon_file.h"
#include "icons/project_icon.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace folioteer;
  IconFile icon;
  if (ParseIcon(std::string(reinterpret_cast<const char*>(data), size), icon) != 0) return 0;
  Check(SerialiseIcon(icon) == icon.bytes);

  ApplyIconWishes(icon.fields, "Work:Fuzz/Viewer", std::vector<std::string>{"FUZZ=1", "PUBSCREEN=Work"},
                  size % 640, -1, DefaultToolMode::Replace, ToolTypeMerge::Merge);
  IconFile again;
  Check(ParseIcon(SerialiseIcon(icon), again) == 0);
  Check(again.fields == icon.fields);
  Check(again.type == icon.type);
  return 0;
}
