#include "editor/main_program.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "editor/batch.h"
#include "editor/settings/settings.h"
#include "test_util.h"

namespace folioteer {
namespace {

// The whole program in this process, on g.guide in a scratch folder that
// also holds the settings folders; what the end-to-end cases cannot set up
// (a file in the way of a write) is set up here.
class MainProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* variable : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
      ::setenv(variable, dir.Path().c_str(), 1);
    testing::WriteFile(guide, "@database g\n@node MAIN \"Main\"\nmain\n@endnode\n");
  }
  void TearDown() override {
    for (const char* variable : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) ::unsetenv(variable);
    SetProgramArguments({});
  }
  // Runs the script with the guide and the words on the command line; the
  // standard error lands in err.
  int Run(const std::string& script, std::vector<std::string> words) {
    std::string error;
    auto steps = ParseScript(script, error);
    EXPECT_TRUE(steps.has_value()) << error;
    words.insert(words.begin(), guide);
    SetProgramArguments(words);
    ::testing::internal::CaptureStderr();
    int status = RunBatch(std::move(*steps));
    err = ::testing::internal::GetCapturedStderr();
    return status;
  }

  testing::TempDir dir;
  std::string guide = dir.File("g.guide");
  std::string err;
};

// A folder where the icon or the RTF file should go leaves the guide saved
// and the editor running, with a warning.
TEST_F(MainProgramTest, AWriteThatCannotBeMadeIsAWarning) {
  std::filesystem::create_directory(dir.File("g.guide.info"));
  std::filesystem::create_directory(dir.File("g.rtf"));
  EXPECT_EQ(Run("NEWNODE \"Two\" -1\nSAVE\nEXPRTF x\n.button 0\n", {"MAKEICONS"}), kExitNormal);
  EXPECT_NE(err.find("Folioteer: Unable to write icon"), std::string::npos) << err;
  EXPECT_NE(err.find("Unable to create RTF file"), std::string::npos) << err;
  EXPECT_NE(testing::ReadFile(guide).find("@node \"Two\""), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("g.rtf")));
}

}  // namespace
}  // namespace folioteer
