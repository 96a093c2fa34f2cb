#include "rtf/rtf_writer.h"

#include <climits>
#include <cmath>
#include <ctime>

#include "support/assert.h"
#include "support/enum_table.h"

namespace folioteer {
namespace {

// ---------------------------------------------------------------------------
// Fixed texts and the kind tables

constexpr std::string_view kLineSeparator = "\r\n";

constexpr std::string_view kDocumentStart = R"({\rtf1\ansi)";
constexpr std::string_view kFontTable =
    R"(\deff0{\fonttbl{\f0\froman Bitstream Vera Serif;}{\f1\fswiss Bitstream Vera Sans;})"
    R"({\f2\fmodern Bitstream Vera Sans Mono;}})";
constexpr std::string_view kColorTable =
    R"({\colortbl;\red207\green207\blue207;\red0\green0\blue0;\red255\green255\blue255;)"
    R"(\red74\green138\blue189;\red255\green28\blue28;\red214\green215\blue214;)"
    R"(\red189\green188\blue188;\red170\green170\blue170;})";
constexpr std::string_view kDocumentFormat =
    R"(\margl720\margr720\fi0\li0\ri0\b0\fs24\widowctrl\titlepg\headery144\footery720)";
// The control word of each kind, indexed by the kinds' numeric values.
template <typename Kind>
struct KindWord {
  Kind kind;
  std::string_view word;
};

using FormatWord = KindWord<RTFFormatKind>;
constexpr FormatWord kFormatWords[] = {
    {RTFFormatKind::Keep, "keep"},          {RTFFormatKind::KeepNext, "keepn"},
    {RTFFormatKind::AlignLeft, "ql"},       {RTFFormatKind::AlignRight, "qr"},
    {RTFFormatKind::Justify, "qj"},         {RTFFormatKind::AlignCentre, "qc"},
    {RTFFormatKind::LeftIndent, "li"},      {RTFFormatKind::FirstIndent, "fi"},
    {RTFFormatKind::TabStop, "tx"},         {RTFFormatKind::MarginLeft, "margl"},
    {RTFFormatKind::MarginRight, "margr"},  {RTFFormatKind::MarginTop, "margt"},
    {RTFFormatKind::MarginBottom, "margb"},
};
static_assert(RowsFollowEnum(kFormatWords, &FormatWord::kind, kNumRTFFormatKinds));
constexpr auto kFirstValuedFormat = static_cast<size_t>(RTFFormatKind::LeftIndent);

using CharStyleWord = KindWord<RTFCharStyleKind>;
constexpr CharStyleWord kCharStyleWords[] = {
    {RTFCharStyleKind::Bold, "b"},       {RTFCharStyleKind::Italic, "i"},
    {RTFCharStyleKind::Underline, "ul"}, {RTFCharStyleKind::Capitals, "caps"},
    {RTFCharStyleKind::Plain, "plain"},
};
static_assert(RowsFollowEnum(kCharStyleWords, &CharStyleWord::kind, kNumRTFCharStyleKinds));

using SpecialWord = KindWord<RTFSpecialKind>;
constexpr SpecialWord kSpecialWords[] = {
    {RTFSpecialKind::PageNumber, "chpgn"},
    {RTFSpecialKind::Date, "chdate"},
    {RTFSpecialKind::Time, "chtime"},
    {RTFSpecialKind::EmDash, "emdash"},
};
static_assert(RowsFollowEnum(kSpecialWords, &SpecialWord::kind, kNumRTFSpecialKinds));

using SectionWord = KindWord<RTFSectionKind>;
constexpr SectionWord kSectionWords[] = {{RTFSectionKind::Header, "header"},
                                         {RTFSectionKind::Footer, "footer"}};
static_assert(RowsFollowEnum(kSectionWords, &SectionWord::kind, kNumRTFSectionKinds));

struct CarriageEntry {
  RTFCarriageKind kind;
  std::string_view word;
  bool endsLine;
};
constexpr CarriageEntry kCarriages[] = {
    {RTFCarriageKind::Paragraph, "par", true},  {RTFCarriageKind::Line, "line", true},
    {RTFCarriageKind::Page, "page", false},     {RTFCarriageKind::Tab, "tab", false},
    {RTFCarriageKind::Bullet, "bullet", false}, {RTFCarriageKind::NonBreakingSpace, "~", false},
};
static_assert(RowsFollowEnum(kCarriages, &CarriageEntry::kind, kNumRTFCarriageKinds));

// Null for a value outside the kind. A failed assertion returns on threads
// other than the program task, so callers then write nothing.
template <typename Entry, size_t N, typename Kind>
const Entry* EntryOf(const Entry (&table)[N], Kind kind, std::string_view message) {
  auto index = static_cast<size_t>(kind);
  if (index < N) return &table[index];
  AssertFail(message);
  return nullptr;
}

// ---------------------------------------------------------------------------
// Control words

// Readers take at most 32 letters as the name of a control word.
constexpr size_t kMaxControlLetters = 32;

bool IsLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsHexDigit(char ch) { return IsDigit(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F'); }

// "\~", "\*", "\{" and the like, and "\'hh".
bool IsControlSymbol(std::string_view word) {
  if (word.size() == 3 && word[0] == '\'') return IsHexDigit(word[1]) && IsHexDigit(word[2]);
  if (word.size() != 1) return false;
  char ch = word[0];
  return ch > ' ' && ch < 127 && !IsLetter(ch) && !IsDigit(ch);
}

// Letters, then an optional number with an optional minus sign.
bool IsNamedControlWord(std::string_view word) {
  size_t letters = 0;
  while (letters < word.size() && IsLetter(word[letters])) ++letters;
  if (letters == 0 || letters > kMaxControlLetters) return false;
  std::string_view number = word.substr(letters);
  if (number.starts_with('-')) {
    number.remove_prefix(1);
    if (number.empty()) return false;
  }
  for (char ch : number)
    if (!IsDigit(ch)) return false;
  return true;
}

void WriteNumberedWord(Channel chan, std::string_view name, long long number, RTFSpacing spacing) {
  RTFWriteControlWord(chan, std::string(name) + std::to_string(number), spacing);
}

// ---------------------------------------------------------------------------
// Preamble

RTFDateTime LocalTimeNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  Assert(localtime_r(&now, &local) != nullptr, "localtime FAIL in RTFpreamble");
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

void WriteCreationTime(Channel chan, const RTFDateTime& created) {
  WriteText(chan, R"({\creatim)");
  WriteNumberedWord(chan, "yr", created.year, RTFSpacing::NoSpace);
  WriteNumberedWord(chan, "mo", created.month, RTFSpacing::NoSpace);
  WriteNumberedWord(chan, "dy", created.day, RTFSpacing::NoSpace);
  WriteNumberedWord(chan, "hr", created.hour, RTFSpacing::NoSpace);
  WriteNumberedWord(chan, "min", created.minute, RTFSpacing::NoSpace);
  WriteNumberedWord(chan, "sec", created.second, RTFSpacing::NoSpace);
  WriteText(chan, "}");
  WriteLn(chan);
}

void WriteTextLine(Channel chan, std::string_view text) {
  WriteText(chan, text);
  WriteLn(chan);
}

}  // namespace

// ---------------------------------------------------------------------------
// Text

void RTFWriteString(Channel chan, std::string_view text) {
  text = text.substr(0, text.find('\0'));
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' && text[i] != '{' && text[i] != '}') continue;
    WriteText(chan, text.substr(start, i - start));
    WriteText(chan, "\\");
    start = i;
  }
  if (start < text.size()) WriteText(chan, text.substr(start));
}

void RTFWriteStringLong(Channel chan, const std::string& text) { RTFWriteString(chan, text); }

void RTFWriteLn(Channel chan) { RTFcarriage(chan, RTFCarriageKind::Line); }

void RTFWriteStringLn(Channel chan, std::string_view text) {
  RTFWriteString(chan, text);
  RTFWriteLn(chan);
}

void RTFWriteStringFmt(Channel chan, const std::string& text, bool& endedAtSeparator) {
  std::string_view rest = text;
  endedAtSeparator = false;
  size_t pair = rest.find(kLineSeparator);
  while (pair != std::string_view::npos && !endedAtSeparator) {
    RTFWriteStringLn(chan, rest.substr(0, pair));
    rest.remove_prefix(pair + kLineSeparator.size());
    if (rest.empty())
      endedAtSeparator = true;
    else
      pair = rest.find(kLineSeparator);
  }
  if (!endedAtSeparator) RTFWriteString(chan, rest);
}

void RTFWriteControlWord(Channel chan, std::string_view word, RTFSpacing spacing) {
  if (word.empty()) return;
  std::string_view name = word.starts_with('\\') ? word.substr(1) : word;
  if (!IsNamedControlWord(name) && !IsControlSymbol(name)) {
    AssertFail("Bad control word in RTFWriteControlWord");
    return;
  }
  WriteText(chan, "\\");
  WriteText(chan, name);
  if (spacing == RTFSpacing::SpaceAfter) WriteText(chan, " ");
}

int InchesToTwips(double inches) {
  double twips = std::round(inches * 1440.0);
  // The test is also false for NaN.
  if (twips >= INT_MIN && twips <= INT_MAX) return static_cast<int>(twips);
  AssertFail("Bad inches in InchesToTwips");
  return 0;
}

// ---------------------------------------------------------------------------
// Document frame and groups

void RTFpreamble(Channel chan, std::string_view title, const RTFDateTime& created) {
  WriteText(chan, kDocumentStart);
  WriteTextLine(chan, kFontTable);
  WriteTextLine(chan, kColorTable);
  WriteTextLine(chan, R"({\info)");
  // The title is a file name, which may hold braces and backslashes.
  WriteText(chan, R"({\title )");
  RTFWriteString(chan, title);
  WriteTextLine(chan, "}");
  WriteCreationTime(chan, created);
  WriteTextLine(chan, "}");
  WriteTextLine(chan, kDocumentFormat);
}

void RTFpreamble(Channel chan, std::string_view title) { RTFpreamble(chan, title, LocalTimeNow()); }

void RTFpostlog(Channel chan) { WriteText(chan, R"(\line})"); }

void RTFbracket(Channel chan, RTFGroup edge) { WriteText(chan, edge == RTFGroup::Open ? "{" : "}"); }

void RTFbookmark(Channel chan, const std::string& name, const std::string& text) {
  WriteText(chan, R"({\*\bkmkstart )");
  WriteText(chan, name);
  WriteText(chan, "}");
  WriteText(chan, text);
  WriteText(chan, R"({\*\bkmkend )");
  WriteText(chan, name);
  WriteText(chan, "}");
}

void RTFreference(Channel chan, const std::string& target, const std::string& text) {
  WriteText(chan, R"({\field{\*\fldinst REF )");
  WriteText(chan, target);
  WriteText(chan, R"( \\h }{\fldrslt )");
  WriteText(chan, text);
  WriteText(chan, "}}");
}

void RTFsection(Channel chan, RTFSectionKind kind, RTFGroup edge) {
  const SectionWord* entry = EntryOf(kSectionWords, kind, "Unknown kind in RTFsection");
  if (entry == nullptr) return;
  if (edge == RTFGroup::Close) {
    WriteText(chan, "}");
    return;
  }
  WriteText(chan, "{");
  RTFWriteControlWord(chan, entry->word, RTFSpacing::SpaceAfter);
}

// ---------------------------------------------------------------------------
// Formatting

void RTFspecial(Channel chan, RTFSpecialKind kind) {
  const SpecialWord* entry = EntryOf(kSpecialWords, kind, "Unknown kind in RTFspecial");
  if (entry != nullptr) RTFWriteControlWord(chan, entry->word, RTFSpacing::SpaceAfter);
}

void RTFformat(Channel chan, RTFFormatKind kind, int value) {
  const FormatWord* entry = EntryOf(kFormatWords, kind, "Unknown kind in RTFformat");
  if (entry == nullptr) return;
  if (static_cast<size_t>(kind) < kFirstValuedFormat)
    RTFWriteControlWord(chan, entry->word, RTFSpacing::SpaceAfter);
  else
    WriteNumberedWord(chan, entry->word, value, RTFSpacing::SpaceAfter);
}

void RTFcharstyle(Channel chan, RTFCharStyleKind kind, RTFStyleSwitch state) {
  const CharStyleWord* entry = EntryOf(kCharStyleWords, kind, "Unknown kind in RTFcharstyle");
  if (entry == nullptr) return;
  std::string word(entry->word);
  if (state == RTFStyleSwitch::Off) {
    // Plain has no "off": it is the absence of every style already.
    if (kind == RTFCharStyleKind::Plain) return;
    word += "0";
  }
  RTFWriteControlWord(chan, word, RTFSpacing::SpaceAfter);
}

void RTFcolor(Channel chan, uint32_t color, RTFColorLayer layer) {
  if (layer == RTFColorLayer::Foreground) {
    WriteNumberedWord(chan, "cf", color, RTFSpacing::SpaceAfter);
    return;
  }
  // A background colour is a 20 % shading in that colour; colour 0 drops it.
  RTFWriteControlWord(chan, color != 0 ? "chshdng2000" : "chshdng0", RTFSpacing::NoSpace);
  WriteNumberedWord(chan, "chcfpat", color, RTFSpacing::SpaceAfter);
}

void RTFfont(Channel chan, RTFFontKind kind) {
  auto index = static_cast<int>(kind);
  if (index >= kNumRTFFontKinds) {
    AssertFail("Unknown kind in RTFfont");
    return;
  }
  WriteNumberedWord(chan, "f", index, RTFSpacing::NoSpace);
}

void RTFfontsize(Channel chan, int halfPoints) {
  WriteNumberedWord(chan, "fs", halfPoints, RTFSpacing::SpaceAfter);
}

void RTFcarriage(Channel chan, RTFCarriageKind kind) {
  const CarriageEntry* entry = EntryOf(kCarriages, kind, "Unknown kind in RTFcarriage");
  if (entry == nullptr) return;
  RTFWriteControlWord(chan, entry->word, RTFSpacing::SpaceAfter);
  if (entry->endsLine) WriteLn(chan);
}

}  // namespace folioteer
