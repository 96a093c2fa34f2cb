#include "spell/dictionary.h"

#include <unistd.h>

#include <fstream>
#include <new>
#include <random>

#include "support/assert.h"
#include "support/channels.h"

namespace folioteer {

struct SpellChkRecord {
  uint32_t marker = 0;
  uint8_t options = 0;
  std::string work;
};

namespace {

constexpr uint8_t kWordItemKind = 4;
constexpr uint64_t kMiB = 1024 * 1024;

struct Dictionary {
  bool open = false;
  HashTable words = NilHashTable();
  WordStore store;
  std::string dictionaryPath;
  std::string userListPath;
  bool userListIsDefault = false;  // the per-user file, made on the first addition
  int attachCount = 0;
};

Dictionary dictionary;
std::optional<uint64_t> pretendedMemory;

uint32_t DrawMarker() {
  std::random_device source;
  std::uniform_int_distribution<uint32_t> range(1, 0x7fffffff);
  return range(source);
}

uint32_t HandleMarker() {
  static const uint32_t marker = DrawMarker();
  return marker;
}

bool IsValid(SpellChkHandle handle) {
  return handle != InvalidSpellChkHandle() && handle->marker == HandleMarker();
}

uint64_t MemInfoTotal() {
  std::ifstream meminfo("/proc/meminfo");
  std::string label;
  uint64_t kib = 0;
  while (meminfo >> label >> kib) {
    if (label == "MemTotal:") return kib * 1024;
    meminfo.ignore(256, '\n');
  }
  return 0;
}

// While the dictionary is closed the paths follow the environment.
void EstablishPaths() {
  if (dictionary.open) return;
  dictionary.dictionaryPath = WordListPath(kDictionaryVariable, DefaultDictionaryPath());
  std::string defaultUserList = DefaultUserListPath();
  dictionary.userListPath = WordListPath(kUserListVariable, defaultUserList);
  dictionary.userListIsDefault = dictionary.userListPath == defaultUserList;
}

// FALSE when the file cannot be opened.
bool LoadWordList(const std::string& path, HashTable words, SpellProgressProc progress) {
  Channel chan;
  if (OpenInput(chan, path) != kOpened) return false;
  try {
    ReadWordList(chan, path, words, dictionary.store, progress);
  } catch (...) {
    AbandonChannel(chan);
    throw;
  }
  CloseChannel(chan);
  return true;
}

// The per-user list does not exist until the first word is added to it, so
// its absence then is no reason for a warning.
bool UserListMayBeMissing() { return dictionary.userListIsDefault && !FileExists(dictionary.userListPath); }

// FALSE when the dictionary word list cannot be opened.
bool LoadBothLists(HashTable words, SpellProgressProc progress) {
  EstablishPaths();
  if (!LoadWordList(dictionary.dictionaryPath, words, progress)) {
    ShowWarning("SpellChk: Unable to open Spell Dictionary wordfile");
    return false;
  }
  if (!LoadWordList(dictionary.userListPath, words, nullptr) && !UserListMayBeMissing())
    ShowWarning("SpellChk: Unable to open User spell wordfile");
  return true;
}

bool IsNumber(std::string_view word) {
  return word.find_first_not_of("0123456789.,") == std::string_view::npos;
}

bool HasDigit(std::string_view word) { return word.find_first_of("0123456789") != std::string_view::npos; }

void FreeDictionaryWords(HashTable& words) {
  DestroyHT(words);
  WordStore().swap(dictionary.store);
}

void AppendToUserList(const std::string& entry) {
  EstablishPaths();
  MissingFolder folder = dictionary.userListIsDefault ? MissingFolder::Create : MissingFolder::Refuse;
  if (!AppendToWordList(dictionary.userListPath, entry, folder)) ShowWarning("Add to user dict FAIL");
}

}  // namespace

SpellChkHandle InvalidSpellChkHandle() { return nullptr; }

bool IsOpenSpellChk() { return dictionary.open; }

bool AttemptOpenSpellChk(SpellProgressProc progress) {
  if (dictionary.open) return true;
  uint32_t slots = DictionaryTableSize(MachineMemory());
  if (slots == 0) return false;
  bool tooBig = false;
  HashTable words = CreateHT(slots, kWordItemKind, DynStrHashFunc, DynStrCmpFunc, tooBig);
  if (words == NilHashTable()) return false;
  try {
    if (!LoadBothLists(words, progress)) {
      FreeDictionaryWords(words);
      return false;
    }
  } catch (...) {
    FreeDictionaryWords(words);
    throw;
  }
  dictionary.words = words;
  dictionary.open = true;
  return true;
}

bool AttemptCloseSpellChk() {
  if (dictionary.attachCount > 0) return false;
  FreeDictionaryWords(dictionary.words);
  dictionary.dictionaryPath.clear();
  dictionary.userListPath.clear();
  dictionary.open = false;
  return true;
}

SpellChkHandle AttachSpellChk(uint8_t options) {
  if (!AttemptOpenSpellChk(nullptr)) return InvalidSpellChkHandle();
  auto* handle = new SpellChkRecord{HandleMarker(), options, {}};
  handle->work.reserve(32);
  ++dictionary.attachCount;
  return handle;
}

void DetachSpellChk(SpellChkHandle& handle) {
  if (dictionary.attachCount <= 0 || !IsValid(handle)) return;
  handle->marker = 0;
  delete handle;
  handle = InvalidSpellChkHandle();
  --dictionary.attachCount;
}

bool ChkSpell(SpellChkHandle handle, std::string_view word) {
  Assert(IsValid(handle), "ChkSpell: Bad Handle");
  if (CharacterCount(word) <= 1) return true;
  std::string& work = handle->work;
  work.assign(word);
  if (IsNumber(work)) return true;
  if ((handle->options & kSpellDigitWords) != 0 && HasDigit(work)) return true;
  if (FindHT(dictionary.words, &work) != nullptr) return true;
  if ((handle->options & kSpellExactCase) != 0) return false;
  return LowerCaseWord(work) && FindHT(dictionary.words, &work) != nullptr;
}

void AddWrd(SpellChkHandle /*handle*/, std::string_view word, uint8_t options) {
  bool isNew = true;
  std::string entry;
  try {
    entry.assign(FormEntry(word));
    if ((options & kSpellExactCase) == 0) LowerCaseWord(entry);
    // Without a dictionary the word cannot be kept for the run, but a word
    // meant for the user list still goes there.
    if (AttemptOpenSpellChk(nullptr)) isNew = StoreEntry(dictionary.words, dictionary.store, entry);
  } catch (const std::bad_alloc&) {
    ShowWarning("AddWrd: out of memory, word ignored");
    return;
  }
  if (isNew && (options & kSpellToUserList) != 0 && !entry.empty()) AppendToUserList(entry);
}

void GetActiveWordlistName(std::string& path) {
  EstablishPaths();
  path = dictionary.dictionaryPath;
}

void GetActiveUserWrdLstName(std::string& path) {
  EstablishPaths();
  path = dictionary.userListPath;
}

uint64_t MachineMemory() {
  if (pretendedMemory) return *pretendedMemory;
  long pages = ::sysconf(_SC_PHYS_PAGES);
  long pageSize = ::sysconf(_SC_PAGE_SIZE);
  if (pages > 0 && pageSize > 0) return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
  return MemInfoTotal();
}

void PretendMachineMemory(std::optional<uint64_t> bytes) { pretendedMemory = bytes; }

uint32_t DictionaryTableSize(uint64_t totalMemory) {
  if (totalMemory < 20 * kMiB) return 0;
  if (totalMemory < 100 * kMiB) return 100000;
  if (totalMemory < 500 * kMiB) return 300000;
  return 500000;
}

}  // namespace folioteer
