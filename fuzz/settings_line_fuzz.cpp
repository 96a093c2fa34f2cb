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

#include "editor/settings/settings.h"
#include "state/editor_state.h"
#include "support/assert.h"

namespace {

using folioteer::Editor;

struct Carried {
  std::string screen, font;
  int size = 0;
  bool flags[5] = {};

  static Carried Now() {
    folioteer::EditorState& editor = Editor();
    return {editor.pubScreenName,
            editor.editorFont.name,
            editor.editorFont.size,
            {editor.makeIcons, editor.autoPreview, editor.useTabAttr, editor.helpHints, editor.spellCheck}};
  }
  void Set() const {
    folioteer::EditorState& editor = Editor();
    editor.pubScreenName = screen;
    editor.editorFont.name = font;
    editor.editorFont.size = size;
    bool* targets[] = {&editor.makeIcons, &editor.autoPreview, &editor.useTabAttr, &editor.helpHints,
                       &editor.spellCheck};
    for (int i = 0; i < 5; ++i) *targets[i] = flags[i];
  }
  bool operator==(const Carried& other) const {
    for (int i = 0; i < 5; ++i)
      if (flags[i] != other.flags[i]) return false;
    return screen == other.screen && font == other.font && size == other.size;
  }
};

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
