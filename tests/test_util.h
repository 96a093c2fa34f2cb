// Small helpers shared by the tests: scratch directories, whole files, the
// debug output caught in a file, and the message an assertion stops with.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/assert.h"
#include "support/debug_output.h"

namespace folioteer::testing {

// A fresh directory, removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "folioteer-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

inline void WriteFile(const std::string& name, const std::string& content) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out << content;
}

// An environment variable set for the life of the object, then restored.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_.has_value())
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Sends the debug output to a file for the life of the object.
class DebugCapture {
 public:
  DebugCapture() {
    ::setenv("FOLIOTEER_DEBUG", dir_.File("debug.txt").c_str(), 1);
    ReloadDebugSetting();
  }
  ~DebugCapture() {
    ::unsetenv("FOLIOTEER_DEBUG");
    ReloadDebugSetting();
  }
  std::string Text() const { return ReadFile(dir_.File("debug.txt")); }

 private:
  TempDir dir_;
};

// The message of the assertion the call stops with; "no assertion" when it
// returns.
template <typename Call>
std::string AssertionMessage(Call&& call) {
  try {
    call();
  } catch (const AssertionFailure& failure) {
    return failure.Message();
  }
  return "no assertion";
}

inline std::string SharedDir() { return FOLIOTEER_SHARED_DIR; }

// The real-world guides of the shared corpus, in name order.
inline std::vector<std::filesystem::path> CorpusGuides() {
  std::vector<std::filesystem::path> guides;
  for (const auto& entry : std::filesystem::directory_iterator(SharedDir() + "/corpus/guides"))
    if (entry.path().extension() != ".md") guides.push_back(entry.path());
  std::sort(guides.begin(), guides.end());
  return guides;
}

}  // namespace folioteer::testing
