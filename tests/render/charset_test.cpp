// The character set guess and the decoders; the 8-bit tables are checked
// byte by byte against the C library's own converters.
#include "render/charset.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <tuple>

namespace folioteer {
namespace {

// The byte converted to UTF-8 by iconv; empty when iconv has no mapping.
std::string IconvByte(const char* charset, unsigned char byte) {
  iconv_t converter = iconv_open("UTF-8", charset);
  if (converter == reinterpret_cast<iconv_t>(-1)) return "?no converter";
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = 1, outLeft = sizeof out;
  size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(converter);
  return result == static_cast<size_t>(-1) ? std::string() : std::string(out, outPtr);
}

// Overlong forms and surrogates are refused by the census below.
TEST(Charset, UtfEightOnlyWhenValidWithMultiByteSequences) {
  struct Case {
    std::string bytes;
    Charset expected;
  } cases[] = {
      {"plain ascii", Charset::Latin1},
      {"caf\xc3\xa9", Charset::Utf8},
      {"\xc3\xa9 then \xe9", Charset::Latin1},
      {"\xf4\x90\x80\x80 beyond U+10FFFF", Charset::Latin1},
  };
  for (const Case& c : cases) EXPECT_EQ(DetectCharset(c.bytes), c.expected) << c.bytes;
}

TEST(Charset, EightBitTablesAgreeWithTheCLibrary) {
  struct Set {
    Charset charset;
    const char* iconvName;
  } sets[] = {{Charset::Latin1, "ISO-8859-1"}, {Charset::Latin2, "ISO-8859-2"}, {Charset::Koi8R, "KOI8-R"}};
  for (const Set& set : sets) {
    for (int byte = 0; byte < 256; ++byte) {
      SCOPED_TRACE(std::string(set.iconvName) + " byte " + std::to_string(byte));
      std::string bytes(1, static_cast<char>(byte));
      EXPECT_EQ(DecodeToUtf8(bytes, set.charset), IconvByte(set.iconvName, static_cast<unsigned char>(byte)));
    }
  }
}

TEST(Charset, BrokenUtfEightAndControlCodesToDisplayBecomeReplacementCharacters) {
  const std::string replacement = "\xef\xbf\xbd";
  EXPECT_EQ(DecodeToUtf8("a\xe2\x82z\xe2\x82\xac", Charset::Utf8),
            "a" + replacement + replacement + "z\xe2\x82\xac");
  auto display = [](std::string_view bytes, Charset charset) {
    std::string out;
    AppendDisplayText(out, bytes, charset);
    return out;
  };
  EXPECT_EQ(display("\x85\x9b\xa0", Charset::Latin1), replacement + replacement + "\xc2\xa0");
  EXPECT_EQ(display("\xc2\x85", Charset::Utf8), replacement) << "C1 controls written in UTF-8";
  EXPECT_EQ(display("\x80", Charset::Koi8R), "\xe2\x94\x80") << "box drawing in KOI8-R";
}

TEST(Charset, NamesForTheOverride) {
  EXPECT_EQ(CharsetByName("ebcdic"), std::nullopt);
  for (Charset charset : {Charset::Latin1, Charset::Latin2, Charset::Koi8R, Charset::Utf8})
    EXPECT_EQ(CharsetByName(CharsetName(charset)), charset);
}

TEST(Charset, CountUtf8SequencesAndStrayBytes) {
  struct Case {
    std::string bytes;
    size_t multiByte, stray, firstStray;
  } cases[] = {
      {"gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x98\x80", 4, 0, std::string::npos},
      {"caf\xe9 \xc3\xa9", 1, 1, 3},
      {"a\xe2\x82", 0, 2, 1},
      {"\xc0\xaf overlong, \xed\xa0\x80 surrogate", 0, 5, 0},
  };
  for (const Case& c : cases) {
    Utf8Census census = CountUtf8(c.bytes);
    EXPECT_EQ(std::tie(census.multiByte, census.stray, census.firstStray),
              std::tie(c.multiByte, c.stray, c.firstStray))
        << c.bytes;
  }
}

}  // namespace
}  // namespace folioteer
