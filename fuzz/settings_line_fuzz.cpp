// libFuzzer target for the settings line, the value of the variable
// "Folioteer/FTSwitches". Any bytes are, in turn:
//   - a settings line as read from the variable: it is applied or refused
//     with "Bad CLI/Env Params", never anything else; when it is applied,
//     the line written for the settings it gave reads back the same;
//   - the settings themselves (screen and font names of any bytes, a font
//     size, the five switches): the line written for them is one line and
//     reads back the same.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "carried_settings.h"
#include "editor/settings/settings.h"
#include "state/editor_state.h"
#include "support/assert.h"

namespace {

using folioteer::Editor;

using Carried = folioteer::testing::CarriedSettings;

// The defaults with the line applied; FALSE when the line was refused.
bool Apply(const std::string& line) {
  Editor() = folioteer::EditorState{};
  folioteer::SetDefSettings();
  std::string file;
  try {
    return folioteer::GetPgmArgs(line, file);
  } catch (const folioteer::AssertionFailure& failure) {
    if (failure.Message() == "Bad CLI/Env Params") return false;
    std::fprintf(stderr, "unexpected refusal: %s\n", failure.what());
    std::abort();
  }
}

void ExpectRoundTrip(const Carried& settings, const char* what) {
  settings.Set();
  std::string line = folioteer::SettingsLine();
  if (line.find('\n') != std::string::npos) {
    std::fprintf(stderr, "%s: the settings line holds a line feed\n", what);
    std::abort();
  }
  if (!Apply(line) || !(Carried::Now() == settings)) {
    std::fprintf(stderr, "%s: the line does not read back the same: [%s]\n", what, line.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  if (!line.empty() && Apply(line)) ExpectRoundTrip(Carried::Now(), "a line that was applied");

  FuzzedDataProvider provider(data, size);
  Carried settings;
  for (bool& flag : settings.flags) flag = provider.ConsumeBool();
  settings.size = provider.ConsumeIntegral<int32_t>();
  settings.screen = provider.ConsumeRandomLengthString(256);
  settings.font = provider.ConsumeRemainingBytesAsString();
  ExpectRoundTrip(settings, "settings from the input");
  return 0;
}
