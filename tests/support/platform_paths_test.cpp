#include "support/platform_paths.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "child_process.h"
#include "support/env_vars.h"
#include "test_util.h"

namespace folioteer {
namespace {

using testing::ChildUser;
using testing::Findings;
using testing::GiveToNobody;
using testing::RunInChild;
using testing::TempDir;
using testing::WhyNotNobody;

class EnvironmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_RUNTIME_DIR");
    ::unsetenv("XDG_CONFIG_HOME");
  }
  TempDir runtime, config;
};

TEST_F(EnvironmentTest, AssignsMapToTheirDirectories) {
  SetProgramDirectory("/opt/folioteer/bin");
  EXPECT_EQ(ResolvePath("progdir:Folioteer.guide"), "/opt/folioteer/bin/Folioteer.guide");
  EXPECT_EQ(ResolvePath("APPDIR:Multiview"), "/opt/folioteer/bin/folioview");
  EXPECT_EQ(ResolvePath("ENV:Folioteer/FTSwitches"), runtime.Path() + "/Folioteer/FTSwitches");
  SetProgramDirectory("");

  std::string temp = ResolvePath("T:FolioteerTmp1.guide");
  std::string tempDir = TempDirectory();
  EXPECT_EQ(temp, tempDir + "/FolioteerTmp1.guide");
  struct stat info {};
  ASSERT_EQ(::stat(tempDir.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(TempDirectory(), tempDir);  // made once per process
}

TEST_F(EnvironmentTest, VariablesReadEnvFirstThenEnvarc) {
  EXPECT_FALSE(GetVar("Folioteer/FTSwitches"));
  ASSERT_TRUE(SetVar("Folioteer/FTSwitches", "MAKEICONS AUTOPREVIEW", VarScope::Permanent));
  EXPECT_EQ(testing::ReadFile(config.File("Folioteer/FTSwitches")), "MAKEICONS AUTOPREVIEW");
  ASSERT_TRUE(SetVar("Folioteer/FTSwitches", "NOMAKEICONS", VarScope::Session));
  EXPECT_EQ(GetVar("Folioteer/FTSwitches"), "NOMAKEICONS");
  EXPECT_EQ(testing::ReadFile(config.File("Folioteer/FTSwitches")), "MAKEICONS AUTOPREVIEW");
  std::filesystem::remove(runtime.File("Folioteer/FTSwitches"));
  EXPECT_EQ(GetVar("Folioteer/FTSwitches"), "MAKEICONS AUTOPREVIEW");
}

TEST_F(EnvironmentTest, UnwritableLocationIsReported) {
  ::setenv("XDG_RUNTIME_DIR", (runtime.Path() + "/file/below").c_str(), 1);
  testing::WriteFile(runtime.File("file"), "");
  EXPECT_FALSE(SetVar("Folioteer/FTSwitches", "MAKEICONS", VarScope::Session));
}

// nobody's fallback ENV: folder, set up as another user (root) would. It
// must not exist before; tests/install takes the same lock.
class SharedEnvTest : public ::testing::Test {
 protected:
  ~SharedEnvTest() override {
    if (lock_ >= 0) ::close(lock_);
  }
  void SetUp() override {
    if (auto why = WhyNotNobody()) GTEST_SKIP() << *why;
    lock_ = ::open("/tmp/folioteer-tests-nobody.lock", O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    ASSERT_GE(lock_, 0) << "the lock of nobody's folder";
    ASSERT_EQ(::flock(lock_, LOCK_EX), 0);
    if (std::filesystem::exists(shared) || std::filesystem::is_symlink(shared))
      GTEST_SKIP() << shared << " exists already; the test would change what a real user keeps there";
    ownsShared_ = true;
    for (TempDir* folder : {&scratch, &config, &victim}) GiveToNobody(folder->Path());
  }
  void TearDown() override {
    if (ownsShared_) std::filesystem::remove_all(shared);  // never a folder that was there before
  }

  // What nobody's settings do, without XDG_RUNTIME_DIR, in a child.
  std::string RunAsNobody(const std::function<std::string(Findings&)>& body) {
    return RunInChild(
        [&] {
          ::unsetenv("XDG_RUNTIME_DIR");
          ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
          ::setenv("TMPDIR", scratch.Path().c_str(), 1);
          Findings findings;
          return body(findings);
        },
        ChildUser::Nobody);
  }

  std::string shared = "/tmp/folioteer-" + std::to_string(testing::Nobody().uid);
  TempDir scratch, config, victim;
  int lock_ = -1;
  bool ownsShared_ = false;
};

// Another user made nobody's fallback folder, the settings file a link to a
// file of nobody's: a setting overwrote that file. Now the folder is not used.
TEST_F(SharedEnvTest, AFolderOfAnotherUserIsNotUsed) {
  std::string precious = victim.File("precious");
  testing::WriteFile(precious, "PUBSCREEN=planted");
  GiveToNobody(precious);
  std::filesystem::create_directories(shared + "/Folioteer");
  std::filesystem::permissions(shared, std::filesystem::perms::all);
  std::filesystem::permissions(shared + "/Folioteer", std::filesystem::perms::all);
  std::filesystem::create_symlink(precious, shared + "/Folioteer/FTSwitches");
  std::string found = RunAsNobody([&](Findings& findings) {
    ::testing::internal::CaptureStderr();
    findings.Check(GetVar("Folioteer/FTSwitches") != "PUBSCREEN=planted", "planted settings were read");
    findings.Check(SetVar("Folioteer/FTSwitches", "AUTOPREVIEW", VarScope::Session), "the write failed");
    findings.Check(GetVar("Folioteer/FTSwitches") == "AUTOPREVIEW", "the settings did not read back");
    std::string warnings = ::testing::internal::GetCapturedStderr();
    findings.Check(warnings.find("is not a private folder") != std::string::npos, "no warning: " + warnings);
    findings.Check(EnvDirectory().rfind(TempDirectory(), 0) == 0, "ENV: is " + EnvDirectory());
    findings.Check(IsPrivateFolder(EnvDirectory()), EnvDirectory() + " is not private");
    return findings.Text();
  });
  EXPECT_EQ(found, "");
  EXPECT_EQ(testing::ReadFile(precious), "PUBSCREEN=planted");
}

// The fallback is used only as a real folder of the user, closed to others;
// a missing one is made so.
TEST_F(SharedEnvTest, OnlyAPrivateFolderOfTheUserIsUsed) {
  enum class Found { Missing, Folder, Link };
  struct Case {
    const char* what;
    Found found;
    std::filesystem::perms perms;
    bool nobodys;
    bool used;
  };
  using std::filesystem::perms;
  const Case cases[] = {
      {"missing", Found::Missing, perms::none, false, true},
      {"nobody's own, 0700", Found::Folder, perms::owner_all, true, true},
      {"nobody's own, open to others", Found::Folder, perms::all, true, false},
      {"root's, 0700", Found::Folder, perms::owner_all, false, false},
      {"a link to nobody's 0700 folder", Found::Link, perms::owner_all, true, false},
  };
  for (const Case& one : cases) {
    std::filesystem::remove_all(shared);
    std::string folder = one.found == Found::Link ? scratch.Path() : shared;
    if (one.found == Found::Link) std::filesystem::create_directory_symlink(scratch.Path(), shared);
    if (one.found == Found::Folder) std::filesystem::create_directory(shared);
    if (one.found != Found::Missing) std::filesystem::permissions(folder, one.perms);
    if (one.found != Found::Missing && one.nobodys) GiveToNobody(folder);
    std::string found = RunAsNobody([&](Findings& findings) {
      ::testing::internal::CaptureStderr();
      std::string env = EnvDirectory();
      ::testing::internal::GetCapturedStderr();
      findings.Check((env == shared) == one.used, "ENV: is " + env);
      findings.Check(IsPrivateFolder(env), env + " is not private");
      return findings.Text();
    });
    EXPECT_EQ(found, "") << one.what;
  }
}

// TMPDIR where no folder can be made: T: was TMPDIR itself, a shared place
// with names anyone can guess. Now it is a private folder in /tmp.
TEST(TempDirectory, NeverASharedFolder) {
  if (auto why = WhyNotNobody()) GTEST_SKIP() << *why;
  TempDir dir;
  testing::WriteFile(dir.File("file"), "");
  std::string bad = dir.File("file/below");
  std::string found = RunInChild(
      [&] {
        ::setenv("TMPDIR", bad.c_str(), 1);
        Findings findings;
        std::string temp = TempDirectory();
        findings.Check(temp.rfind("/tmp/folioteer-", 0) == 0, "T: is " + temp);
        findings.Check(IsPrivateFolder(temp), temp + " is not private");
        findings.Check(ResolvePath("T:x.guide") == temp + "/x.guide", ResolvePath("T:x.guide"));
        std::filesystem::remove_all(temp);
        return findings.Text();
      },
      ChildUser::Nobody);
  EXPECT_EQ(found, "");
}

}  // namespace
}  // namespace folioteer
