// The RTF writer: small output operations that each write one fixed piece of
// Rich Text Format (version 1, ANSI) to an open text channel — the preamble
// with its fixed font and colour tables, groups, bookmarks, cross-reference
// fields, formatting control words, colours, breaks and escaped text.
//
// The module owns nothing and keeps no document state: it does not track open
// groups, styles or colours; the caller decides what goes out and in which
// order, and every operation writes at once. A line end is the channel's line
// mark (one LF). Only RTFWriteString, the operations built on it and the
// preamble's title escape; bookmark and reference pieces go out exactly as
// given. Every control word is written whole, whatever its length, and a word
// that is not a well-formed control word is refused by an assertion, so no
// operation can turn a word into malformed RTF. The kinds keep the numeric
// values of the RTF export's tables; a value outside a kind is an assertion.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "support/channels.h"

namespace folioteer {

// Paragraph formats; kinds from LeftIndent on carry a value in twips.
enum class RTFFormatKind : uint8_t {
  Keep = 0,           // \keep
  KeepNext = 1,       // \keepn
  AlignLeft = 2,      // \ql
  AlignRight = 3,     // \qr
  Justify = 4,        // \qj
  AlignCentre = 5,    // \qc
  LeftIndent = 6,     // \li
  FirstIndent = 7,    // \fi
  TabStop = 8,        // \tx
  MarginLeft = 9,     // \margl
  MarginRight = 10,   // \margr
  MarginTop = 11,     // \margt
  MarginBottom = 12,  // \margb
};
inline constexpr int kNumRTFFormatKinds = 13;
static_assert(kNumRTFFormatKinds == static_cast<int>(RTFFormatKind::MarginBottom) + 1);

enum class RTFCharStyleKind : uint8_t { Bold = 0, Italic = 1, Underline = 2, Capitals = 3, Plain = 4 };
inline constexpr int kNumRTFCharStyleKinds = 5;
static_assert(kNumRTFCharStyleKinds == static_cast<int>(RTFCharStyleKind::Plain) + 1);

// Breaks and the two spacing characters: \par \line \page \tab \bullet \~
enum class RTFCarriageKind : uint8_t {
  Paragraph = 0,
  Line = 1,
  Page = 2,
  Tab = 3,
  Bullet = 4,
  NonBreakingSpace = 5,
};
inline constexpr int kNumRTFCarriageKinds = 6;
static_assert(kNumRTFCarriageKinds == static_cast<int>(RTFCarriageKind::NonBreakingSpace) + 1);

// Fields filled in by the reader: \chpgn \chdate \chtime, and \emdash.
enum class RTFSpecialKind : uint8_t { PageNumber = 0, Date = 1, Time = 2, EmDash = 3 };
inline constexpr int kNumRTFSpecialKinds = 4;
static_assert(kNumRTFSpecialKinds == static_cast<int>(RTFSpecialKind::EmDash) + 1);

enum class RTFSectionKind : uint8_t { Header = 0, Footer = 1 };
inline constexpr int kNumRTFSectionKinds = 2;
static_assert(kNumRTFSectionKinds == static_cast<int>(RTFSectionKind::Footer) + 1);

// The entries of the preamble's font table; Serif is the default font.
enum class RTFFontKind : uint8_t { Serif = 0, Sans = 1, Mono = 2 };
inline constexpr int kNumRTFFontKinds = 3;
static_assert(kNumRTFFontKinds == static_cast<int>(RTFFontKind::Mono) + 1);

enum class RTFSpacing : uint8_t { NoSpace, SpaceAfter };
enum class RTFGroup : uint8_t { Close, Open };
enum class RTFStyleSwitch : uint8_t { Off, On };
enum class RTFColorLayer : uint8_t { Background, Foreground };

// A local date and time: the full year, month 1-12, day 1-31, hour 0-23,
// minute and second 0-59.
struct RTFDateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Text, up to its first NUL, with "\", "{" and "}" each preceded by a
// backslash; every other byte goes out unchanged.
void RTFWriteString(Channel chan, std::string_view text);
void RTFWriteStringLong(Channel chan, const std::string& text);
// "\line", a space and a line end.
void RTFWriteLn(Channel chan);
void RTFWriteStringLn(Channel chan, std::string_view text);
// The text with each CR LF pair turned into RTFWriteLn; endedAtSeparator
// tells whether the text ended with such a pair.
void RTFWriteStringFmt(Channel chan, const std::string& text, bool& endedAtSeparator);
// A backslash (unless the word has one already), the word, and a space when
// asked. An empty word writes nothing. The word must be letters with an
// optional signed number, or one control symbol such as "~" or "'e9".
void RTFWriteControlWord(Channel chan, std::string_view word, RTFSpacing spacing);

int InchesToTwips(double inches);

// The header of the document: font table, colour table, the information
// group with the title and the creation time, and the document format line.
void RTFpreamble(Channel chan, std::string_view title, const RTFDateTime& created);
// The same, created now by the local clock.
void RTFpreamble(Channel chan, std::string_view title);
// "\line}": closes the group the preamble opened.
void RTFpostlog(Channel chan);

void RTFbracket(Channel chan, RTFGroup edge);
void RTFbookmark(Channel chan, const std::string& name, const std::string& text);
// A REF field pointing at the bookmark target, showing text.
void RTFreference(Channel chan, const std::string& target, const std::string& text);
// Open: "{" and "\header " or "\footer "; close: "}".
void RTFsection(Channel chan, RTFSectionKind kind, RTFGroup edge);
void RTFspecial(Channel chan, RTFSpecialKind kind);
// The value is ignored by the kinds before LeftIndent.
void RTFformat(Channel chan, RTFFormatKind kind, int value);
// Off writes the style's word with "0"; plain off writes nothing.
void RTFcharstyle(Channel chan, RTFCharStyleKind kind, RTFStyleSwitch state);
// Foreground: "\cf". Background: 20 % shading of the colour (none for 0).
void RTFcolor(Channel chan, uint32_t color, RTFColorLayer layer);
// "\f0", "\f1" or "\f2", with no space after it.
void RTFfont(Channel chan, RTFFontKind kind);
void RTFfontsize(Channel chan, int halfPoints);
// The word and a space; paragraph and line also end the line.
void RTFcarriage(Channel chan, RTFCarriageKind kind);

}  // namespace folioteer
