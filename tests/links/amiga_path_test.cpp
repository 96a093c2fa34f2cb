// Amiga paths of link targets resolved in a real directory tree: relative
// and volume paths, parents in both spellings, letter case, and the paths a
// guide may hold by mistake or on purpose.
#include "links/amiga_path.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

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

TEST_F(AmigaPathTest, RelativePathsStartAtTheGuidesFolder) {
  EXPECT_EQ(Resolve("main.guide"), "File ~/guides/main.guide");
  EXPECT_EQ(Resolve("Sub/OTHER.Guide"), "File ~/guides/Sub/OTHER.Guide");
  EXPECT_EQ(Resolve("./Sub/./OTHER.Guide"), "File ~/guides/Sub/OTHER.Guide");
  EXPECT_EQ(Resolve("Sub/"), "Directory ~/guides/Sub");
  EXPECT_EQ(Resolve("", "guides/Sub"), "Directory ~/guides/Sub");
}

TEST_F(AmigaPathTest, LetterCaseDoesNotMatterPartByPart) {
  EXPECT_EQ(Resolve("sub/other.guide"), "File ~/guides/Sub/OTHER.Guide");
  EXPECT_EQ(Resolve("SUB/Other.GUIDE"), "File ~/guides/Sub/OTHER.Guide");
  EXPECT_EQ(Resolve("work:docs/HELP.guide"), "File ~/volumes/Work/Docs/Help.guide");
  // Only whole names match: a longer entry is no match.
  EXPECT_EQ(Resolve("sub/other"), "Missing ~/guides/Sub/other");
}

TEST_F(AmigaPathTest, ParentsInAmigaAndLinuxSpelling) {
  // A leading "/" is the parent, each further one the parent's parent; an
  // empty part in the middle steps back too.
  EXPECT_EQ(Resolve("/main.guide", "guides/Sub"), "File ~/guides/main.guide");
  EXPECT_EQ(Resolve("//top.guide", "guides/Sub"), "File ~/top.guide");
  EXPECT_EQ(Resolve("Sub//main.guide"), "File ~/guides/main.guide");
  EXPECT_EQ(Resolve("../top.guide"), "File ~/top.guide");
  EXPECT_EQ(Resolve("Sub/../../guides/main.guide"), "File ~/guides/main.guide");
  EXPECT_EQ(Resolve("/"), "Directory ~");
}

TEST_F(AmigaPathTest, VolumesComeFromTheTableAndKeepTheirTop) {
  EXPECT_EQ(Resolve("Work:Docs/Help.guide"), "File ~/volumes/Work/Docs/Help.guide");
  EXPECT_EQ(Resolve("Work:"), "Directory ~/volumes/Work");
  EXPECT_EQ(Resolve("Work:Deep/Er//../Docs/Help.guide"), "File ~/volumes/Work/Docs/Help.guide");
  EXPECT_EQ(Resolve("Work:/x.guide"), "AboveTop ~/volumes/Work");
  EXPECT_EQ(Resolve("Work:../../top.guide"), "AboveTop ~/volumes/Work");
  EXPECT_EQ(Resolve("SYS:Utilities/Multiview"), "UnknownVolume SYS");
  EXPECT_EQ(Resolve("Gone:x.guide"), "Missing ~/nowhere/x.guide");
  // ":" alone is the top of the volume the guide lies in.
  EXPECT_EQ(Resolve(":Docs/Help.guide", "volumes/Work/Deep/Er"), "File ~/volumes/Work/Docs/Help.guide");
  EXPECT_EQ(Resolve(":/x", "volumes/Work/Deep"), "AboveTop ~/volumes/Work");
  // A colon after a "/" is part of a name, not a volume.
  EXPECT_EQ(Resolve("Sub/a:b"), "Missing ~/guides/Sub/a:b");
}

TEST_F(AmigaPathTest, PathsThatLeadNowhereUseful) {
  EXPECT_EQ(Resolve("pipe"), "Special ~/guides/pipe");
  EXPECT_EQ(Resolve("main.guide/more"), "Missing ~/guides/main.guide/more");
  EXPECT_EQ(Resolve("Empty/none.guide"), "Missing ~/guides/Empty/none.guide");
  EXPECT_EQ(Resolve(std::string(300, 'x')), "Missing ~/guides/" + std::string(300, 'x'));
  EXPECT_EQ(Resolve(std::string(10000, 'x')), "TooLong ");
  EXPECT_EQ(Resolve(std::string("a\0b", 3)).rfind("Missing", 0), 0u);
  std::string up;
  for (int i = 0; i < 200; ++i) up += "/";
  EXPECT_EQ(Resolve(up + "etc"), "AboveTop /");
}

TEST_F(AmigaPathTest, ProblemsAreSentencesWithShortNames) {
  ResolvedPath unknown = ResolveAmigaPath("SYS:x", "/", volumes_);
  EXPECT_NE(PathProblem(unknown, "SYS:x").find("The volume \"SYS:\" of \"SYS:x\" is not in the volume table"),
            std::string::npos);
  std::string longName(10000, 'y');
  ResolvedPath tooLong = ResolveAmigaPath(longName, "/", volumes_);
  std::string problem = PathProblem(tooLong, longName);
  EXPECT_LT(problem.size(), 300u);
  EXPECT_NE(problem.find("10000 bytes"), std::string::npos);
  EXPECT_EQ(PathProblem(ResolveAmigaPath("main.guide", root_.File("guides"), volumes_), "main.guide"), "");
}

TEST(ShortenedForMessage, CutsInTheMiddleOnCharacterBoundaries) {
  EXPECT_EQ(ShortenedForMessage("short"), "short");
  std::string cut = ShortenedForMessage(std::string(100, 'a') + std::string(100, 'b'), 21);
  EXPECT_EQ(cut, std::string(9, 'a') + "\u2026" + std::string(9, 'b'));
  std::string umlauts;
  for (int i = 0; i < 100; ++i) umlauts += "\u00FC";
  std::string shortened = ShortenedForMessage(umlauts, 40);
  EXPECT_LE(shortened.size(), 40u);
  EXPECT_NE(shortened.find("\u00FC\u2026\u00FC"), std::string::npos);
  EXPECT_TRUE(IsValidUtf8(shortened));  // no character cut in two
}

TEST(DirectoryOf, KeepsTheRoot) {
  EXPECT_EQ(DirectoryOf("/a/b.guide"), "/a");
  EXPECT_EQ(DirectoryOf("/b.guide"), "/");
  EXPECT_EQ(DirectoryOf("b.guide"), ".");
}

}  // namespace
}  // namespace folioteer
