// Word list files of the spelling dictionary: where they lie, how a line
// becomes an entry, how a list is read into a table of words and how an
// entry is appended.
//
// A word list is plain text with one entry per line. Empty lines are skipped;
// leading spaces and TABs and trailing spaces are removed from every other
// line, and what remains is the entry, bytes as in the file (case and inner
// spaces kept). Each distinct entry is held once: the table refers to it,
// a word store owns it (a deque, so that entries never move and come from
// few allocations; a table must be destroyed before its store is cleared).
//
// The dictionary list is read-only data beside the program; the user list is
// the user's own, under $XDG_DATA_HOME (or ~/.local/share) in "Folioteer/".
// Either may be replaced through an environment variable naming the file.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "spell/hash_table.h"
#include "support/channels.h"

namespace folioteer {

enum class SpellProgress : uint8_t { Start = 0, Advance = 1, Finished = 2 };
// Start: the number is the file size; Advance: the bytes consumed since the
// last call, one line end counted per line; Finished: 0. A null procedure
// does nothing.
using SpellProgressProc = void (*)(SpellProgress op, uint32_t number);

// Files of this size and more are read with progress reports.
inline constexpr int64_t kProgressMinSize = 100000;

inline constexpr const char* kDictionaryVariable = "DICTIONARY_WORDLIST";
inline constexpr const char* kUserListVariable = "WORDLIST";

// PROGDIR:Dictionary.wordlist, that is Dictionary.wordlist beside the
// program or in ../share/folioteer/ beside it.
std::string DefaultDictionaryPath();
// $XDG_DATA_HOME/Folioteer/User.wordlist, ~/.local/share/... when unset.
std::string DefaultUserListPath();
// The variable's value when it is set and not empty, else the default.
std::string WordListPath(const char* variable, const std::string& defaultPath);

// The entry of a line: leading spaces and TABs and trailing spaces removed.
std::string_view FormEntry(std::string_view line);

// Lower-cases the letters of ISO-8859-1 (A-Z, and the accented capitals but
// the multiplication sign). A word that is valid UTF-8 is lowered as UTF-8,
// so that its multi-byte characters stay intact; any other as ISO-8859-1.
// TRUE when the word changed.
bool LowerCaseWord(std::string& word);

// The characters of a word: UTF-8 characters when the word is valid UTF-8,
// else bytes (ISO-8859-1), as LowerCaseWord reads it.
size_t CharacterCount(std::string_view word);

using WordStore = std::deque<std::string>;

// Adds the entry to words (kept in store) unless an equal one is there;
// FALSE when it was known already.
bool StoreEntry(HashTable words, WordStore& store, std::string_view entry);

// Reads every entry of the open channel into words; returns the number of
// entries added. Progress is reported when a procedure is given and the
// file at path has a size from kProgressMinSize up to 2^31 - 1.
uint32_t ReadWordList(Channel chan, const std::string& path, HashTable words, WordStore& store,
                      SpellProgressProc progress);

enum class MissingFolder : uint8_t { Refuse, Create };
// Appends the entry and a line end, first ending a last line that lacks one.
// FALSE when the file could not be opened or written.
bool AppendToWordList(const std::string& path, std::string_view entry, MissingFolder folder);

}  // namespace folioteer
