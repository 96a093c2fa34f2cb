// libFuzzer target: any bytes as a guide file are opened, saved and opened
// again. Opening may be refused only with the documented results and
// messages; nothing may crash, hang or leak.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "guide/parser.h"
#include "guide/writer.h"
#include "support/assert.h"

namespace {

const std::string& Scratch() {
  static const std::string dir = [] {
    char pattern[] = "/dev/shm/folioteer-fuzz-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    return std::string(made != nullptr ? made : "/tmp");
  }();
  return dir;
}

bool Documented(const std::string& message) {
  return message == "ParseAGHeader FAIL" || message == "ListAddition FAIL in InsertEmptyNode";
}

// Opens the file; the handle is null when the opening was refused.
folioteer::AmigaGuideFile Open(const std::string& name) {
  folioteer::AmigaGuideFile handle = nullptr;
  bool created = false;
  int result = -1;
  try {
    folioteer::OpenAmigaGuideFile(handle, name, created, result);
  } catch (const folioteer::AssertionFailure& failure) {
    if (!Documented(failure.Message())) {
      std::fprintf(stderr, "undocumented refusal: %s\n", failure.what());
      std::abort();
    }
  }
  return handle;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;  // an empty file is created as a new guide: not the parser's work
  std::string name = Scratch() + "/input.guide";
  FILE* file = std::fopen(name.c_str(), "wb");
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  folioteer::AmigaGuideFile handle = Open(name);
  if (handle == nullptr) return 0;
  folioteer::RedirectAmigaGuideFile(handle, Scratch() + "/saved.guide");
  if (!folioteer::OutputAmigaGuideFile(handle)) std::abort();
  folioteer::CloseAmigaGuideFile(handle);
  handle = Open(Scratch() + "/saved.guide");
  folioteer::CloseAmigaGuideFile(handle);
  return 0;
}
