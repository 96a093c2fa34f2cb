// The spelling dictionary: every known word of the dictionary word list and
// the user word list, held in one hash table, and the answer whether a word
// is spelled correctly.
//
// There is one dictionary per process. It is closed at start, opened by the
// first AttemptOpenSpellChk or AttachSpellChk that succeeds, and closed again
// only by AttemptCloseSpellChk while no handle is attached. While it is
// closed, the active word list paths follow the environment variables at the
// time of asking; while it is open they stay fixed. The dictionary owns its
// words (one std::string each) and the handles it hands out. Whether it opens
// at all, and how large its table is, depends on the machine's total memory.
// Words that the user accepts are added for the run, or also appended to the
// user word list file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "spell/word_list.h"

namespace folioteer {

// Check and add options, bits of one byte.
inline constexpr uint8_t kSpellExactCase = 1;   // check: no lower-case lookup; add: keep the case
inline constexpr uint8_t kSpellDigitWords = 2;  // check: accept any word holding a digit
inline constexpr uint8_t kSpellToUserList = 4;  // add: append to the user word list file too

struct SpellChkRecord;
using SpellChkHandle = SpellChkRecord*;
SpellChkHandle InvalidSpellChkHandle();

bool IsOpenSpellChk();
// Loads both word lists unless the dictionary is open already; FALSE when
// the machine has too little memory, the table cannot be made or the
// dictionary word list cannot be opened. A missing user list is a warning.
bool AttemptOpenSpellChk(SpellProgressProc progress);
// FALSE while any handle is attached; otherwise frees every word.
bool AttemptCloseSpellChk();

// Opens the dictionary when needed (without progress reports); the invalid
// handle when it cannot be opened.
SpellChkHandle AttachSpellChk(uint8_t options);
// Frees a valid handle and sets it to the invalid one; anything else is left alone.
void DetachSpellChk(SpellChkHandle& handle);

// TRUE when the word is acceptable: a word of fewer than two characters (as
// CharacterCount counts them), a number such as 1,024.5, a word holding a digit
// under kSpellDigitWords, or a word found as written or, unless
// kSpellExactCase, in lower case.
bool ChkSpell(SpellChkHandle handle, std::string_view word);
// Adds the word as a list line would give it, lower-cased unless
// kSpellExactCase; with kSpellToUserList a word that is new is appended to
// the user word list as well. The handle is not consulted.
void AddWrd(SpellChkHandle handle, std::string_view word, uint8_t options);

void GetActiveWordlistName(std::string& path);
void GetActiveUserWrdLstName(std::string& path);

// The machine's total memory in bytes (0 when the system does not say), or
// the figure set by PretendMachineMemory; nullopt returns to the real one.
uint64_t MachineMemory();
void PretendMachineMemory(std::optional<uint64_t> bytes);
// Slots of the word table for a machine of that much memory; 0 below
// 20 MiB, where the dictionary is not opened.
uint32_t DictionaryTableSize(uint64_t totalMemory);

}  // namespace folioteer
