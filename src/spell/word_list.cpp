#include "spell/word_list.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <optional>

#include "support/assert.h"
#include "support/file_names.h"
#include "support/platform_paths.h"
#include "support/utf8.h"

namespace folioteer {
namespace {

constexpr int64_t kProgressMaxSize = 0x7fffffff;

std::string EnvValue(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr ? std::string(value) : std::string();
}

// TRUE when the file ends with a line that has no line end, which an
// appended entry would otherwise run into.
bool LacksFinalLineEnd(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in || in.tellg() <= 0) return false;
  in.seekg(-1, std::ios::end);
  char last = 0;
  return in.get(last) && last != '\n';
}

// The accented capitals of ISO-8859-1: 0xC0 to 0xDE without 0xD7.
bool IsLatin1Capital(unsigned char ch) { return ch >= 0xc0 && ch <= 0xde && ch != 0xd7; }

}  // namespace

std::string DefaultDictionaryPath() { return ProgramDataFile("Dictionary.wordlist"); }

std::string DefaultUserListPath() {
  std::string base = EnvValue("XDG_DATA_HOME");
  if (base.empty()) {
    std::string home = EnvValue("HOME");
    base = (home.empty() ? std::string(".") : home) + "/.local/share";
  }
  return base + "/Folioteer/User.wordlist";
}

std::string WordListPath(const char* variable, const std::string& defaultPath) {
  std::string value = EnvValue(variable);
  return value.empty() ? defaultPath : value;
}

std::string_view FormEntry(std::string_view line) {
  size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  size_t last = line.find_last_not_of(' ');
  return line.substr(first, last - first + 1);
}

bool LowerCaseWord(std::string& word) {
  bool utf8 = IsValidUtf8(word);
  bool changed = false;
  for (size_t i = 0; i < word.size(); ++i) {
    unsigned char ch = static_cast<unsigned char>(word[i]);
    if (ch >= 'A' && ch <= 'Z') {
      word[i] = static_cast<char>(ch + 0x20);
    } else if (utf8 && ch == 0xc3) {
      // U+00C0 to U+00FF: 0xC3, then the character's code less 0x40.
      unsigned char code = static_cast<unsigned char>(word[++i]) + 0x40;
      if (!IsLatin1Capital(code)) continue;
      word[i] = static_cast<char>(code - 0x20);
    } else if (!utf8 && IsLatin1Capital(ch)) {
      word[i] = static_cast<char>(ch + 0x20);
    } else {
      continue;
    }
    changed = true;
  }
  return changed;
}

size_t CharacterCount(std::string_view word) {
  return IsValidUtf8(word) ? Utf8CharacterCount(word) : word.size();
}

bool StoreEntry(HashTable words, WordStore& store, std::string_view entry) {
  store.emplace_back(entry);
  if (ProbeHT(words, &store.back()) == nullptr) return true;
  store.pop_back();
  return false;
}

uint32_t ReadWordList(Channel chan, const std::string& path, HashTable words, WordStore& store,
                      SpellProgressProc progress) {
  if (progress != nullptr) {
    std::optional<int64_t> size = FileSize(path);
    if (!size || *size < kProgressMinSize || *size > kProgressMaxSize) progress = nullptr;
    if (progress != nullptr) progress(SpellProgress::Start, static_cast<uint32_t>(*size));
  }
  uint32_t wordCount = 0;
  std::string line;
  int skipped = 0;
  while (ReadNonEmptyLine(chan, line, skipped) == ReadResult::AllRight) {
    if (progress != nullptr)
      progress(SpellProgress::Advance, static_cast<uint32_t>(line.size() + 1 + skipped));
    try {
      if (StoreEntry(words, store, FormEntry(line))) ++wordCount;
    } catch (const std::bad_alloc&) {
      AssertFail("Out of memory at wrdCnt" + std::to_string(wordCount));
    }
  }
  if (progress != nullptr) progress(SpellProgress::Finished, 0);
  return wordCount;
}

bool AppendToWordList(const std::string& path, std::string_view entry, MissingFolder folder) {
  if (folder == MissingFolder::Create &&
      MakeDirectories(std::filesystem::path(path).parent_path().string(), 0700) != 0)
    return false;
  bool endLastLine = LacksFinalLineEnd(path);
  Channel chan;
  if (OpenAppend(chan, path) != kOpened) return false;
  if (endLastLine) WriteLn(chan);
  WriteText(chan, entry);
  WriteLn(chan);
  return CloseChannel(chan);
}

}  // namespace folioteer
