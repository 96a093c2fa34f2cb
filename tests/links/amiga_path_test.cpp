// Amiga paths of link targets resolved in a real directory tree: relative
// and volume paths, parents in both spellings, letter case, and the paths a
// guide may hold by mistake or on purpose.
#include "links/amiga_path.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <tuple>

#include "render/charset.h"
#include "test_util.h"

namespace folioteer {
namespace {

class AmigaPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* dir : {"guides/Sub", "guides/Empty", "volumes/Work/Docs", "volumes/Work/Deep/Er"})
      std::filesystem::create_directories(root_.File(dir));
    for (const char* file : {"guides/main.guide", "guides/Sub/OTHER.Guide", "guides/Sub/other.guide.bak",
                             "volumes/Work/Docs/Help.guide", "volumes/Work/Deep/Er/x.guide", "top.guide"})
      testing::WriteFile(root_.File(file), "@database x\n");
    ::mkfifo(root_.File("guides/pipe").c_str(), 0600);
    volumes_ = ParseVolumeTable(
        "Work: " + root_.File("volumes/Work") + "\nGone: " + root_.File("nowhere") + "\n", "");
  }

  // The outcome and the Linux path relative to the tree ("~" for its root).
  std::string Resolve(std::string_view amigaPath, std::string_view base = "guides") {
    ResolvedPath resolved = ResolveAmigaPath(amigaPath, root_.File(std::string(base)), volumes_);
    std::string path = resolved.path;
    if (path.starts_with(root_.Path())) path = "~" + path.substr(root_.Path().size());
    constexpr const char* kNames[] = {"File",          "Directory", "Special", "Missing",
                                      "UnknownVolume", "AboveTop",  "TooLong"};
    return std::string(kNames[static_cast<int>(resolved.outcome)]) + " " + path + resolved.volume;
  }

  testing::TempDir root_;
  VolumeTable volumes_;
};

// Each case: the path, the guide's folder below the tree, and the outcome.
TEST_F(AmigaPathTest, PathsResolveAsAReaderResolvesThem) {
  const std::string dozens(200, '/');
  const std::tuple<std::string, std::string_view, std::string> cases[] = {
      {"main.guide", "guides", "File ~/guides/main.guide"},
      {"Sub/", "guides", "Directory ~/guides/Sub"},
      // Letter case does not matter, part by part; only whole names match.
      {"SUB/Other.GUIDE", "guides", "File ~/guides/Sub/OTHER.Guide"},
      {"sub/other", "guides", "Missing ~/guides/Sub/other"},
      // A leading "/" is the parent, each further one the parent's parent;
      // an empty part in the middle steps back too.
      {"/main.guide", "guides/Sub", "File ~/guides/main.guide"},
      {"//top.guide", "guides/Sub", "File ~/top.guide"},
      {"Sub//main.guide", "guides", "File ~/guides/main.guide"},
      {"Sub/../../guides/main.guide", "guides", "File ~/guides/main.guide"},
      // Volumes come from the table and keep their top.
      {"work:docs/HELP.guide", "guides", "File ~/volumes/Work/Docs/Help.guide"},
      {"Work:/x.guide", "guides", "AboveTop ~/volumes/Work"},
      {"Work:../../top.guide", "guides", "AboveTop ~/volumes/Work"},
      {"SYS:Utilities/Multiview", "guides", "UnknownVolume SYS"},
      {"Gone:x.guide", "guides", "Missing ~/nowhere/x.guide"},
      // ":" alone is the top of the volume the guide lies in; a colon after a "/" is part of a name.
      {":Docs/Help.guide", "volumes/Work/Deep/Er", "File ~/volumes/Work/Docs/Help.guide"},
      {"Sub/a:b", "guides", "Missing ~/guides/Sub/a:b"},
      // Paths that lead nowhere useful.
      {"pipe", "guides", "Special ~/guides/pipe"},
      {std::string(10000, 'x'), "guides", "TooLong "},
      {std::string("a\0b", 3), "guides", std::string("Missing a\0b", 11)},
      {dozens + "etc", "guides", "AboveTop /"},
  };
  for (const auto& [path, base, expected] : cases)
    EXPECT_EQ(Resolve(path, base), expected) << path.substr(0, 40);
}

TEST_F(AmigaPathTest, ProblemsAreSentencesWithShortNames) {
  std::string longName(10000, 'y');
  std::string problem = PathProblem(ResolveAmigaPath(longName, "/", volumes_), longName);
  EXPECT_LT(problem.size(), 300u);
  EXPECT_NE(problem.find("10000 bytes"), std::string::npos);
  EXPECT_EQ(PathProblem(ResolveAmigaPath("main.guide", root_.File("guides"), volumes_), "main.guide"), "");
}

TEST(ShortenedForMessage, CutsInTheMiddleOnCharacterBoundaries) {
  EXPECT_EQ(ShortenedForMessage("short"), "short");
  std::string umlauts;
  for (int i = 0; i < 100; ++i) umlauts += "\u00FC";
  std::string shortened = ShortenedForMessage(umlauts, 40);
  EXPECT_LE(shortened.size(), 40u);
  EXPECT_NE(shortened.find("\u00FC\u2026\u00FC"), std::string::npos);
  EXPECT_TRUE(IsValidUtf8(shortened));  // no character cut in two
}

}  // namespace
}  // namespace folioteer
