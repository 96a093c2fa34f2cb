// Every node of every corpus guide renders, and its plain text holds, in
// order, every word of its text lines outside "@{...}" (read independently
// of the renderer: letters, digits and characters from U+00A0 up).
#include <gtest/gtest.h>

#include "render/plain_text.h"
#include "render/renderer.h"
#include "test_util.h"

namespace folioteer {
namespace {

bool IsWordCharacter(char32_t codePoint) {
  if (codePoint < 0x80)
    return (codePoint >= '0' && codePoint <= '9') || (codePoint >= 'a' && codePoint <= 'z') ||
           (codePoint >= 'A' && codePoint <= 'Z');
  return codePoint >= 0xA0 && codePoint != 0xFFFD;
}

std::string OutsideAttributes(std::string_view line) {
  std::string kept;
  for (size_t pos = 0; pos < line.size();) {
    size_t open = line.find("@{", pos);
    kept.append(line.substr(pos, open == std::string_view::npos ? std::string_view::npos : open - pos));
    if (open == std::string_view::npos) break;
    size_t close = line.find('}', open);
    pos = close == std::string_view::npos ? line.size() : close + 1;
    kept.push_back(' ');
  }
  return kept;
}

std::vector<std::string> WordsOf(const SourceNode& node, Charset charset) {
  std::vector<std::string> words;
  for (const SourceLine& line : node.lines) {
    if (!node.verbatim && IsCommandLine(line.text)) continue;
    std::string text = DecodeToUtf8(node.verbatim ? line.text : OutsideAttributes(line.text), charset);
    std::string word;
    for (size_t pos = 0, length = 0; pos <= text.size(); pos += length) {
      char32_t codePoint = U' ';
      length = pos < text.size() ? Utf8SequenceLength(text, pos, codePoint) : 1;
      if (IsWordCharacter(codePoint)) {
        word.append(text, pos, length);
      } else if (!word.empty()) {
        words.push_back(std::move(word));
        word.clear();
      }
    }
  }
  return words;
}

TEST(RenderCorpus, EveryNodeRendersAndShowsEveryWordOutsideAttributes) {
  size_t nodes = 0, words = 0;
  for (const auto& path : testing::CorpusGuides()) {
    SCOPED_TRACE(path.filename().string());
    GuideSource source = ReadGuideSource(testing::ReadFile(path.string()));
    for (size_t index = 0; index < source.nodes.size(); ++index) {
      const SourceNode& node = source.nodes[index];
      SCOPED_TRACE("node " + node.name + " at line " + std::to_string(node.line));
      std::string plain;
      ASSERT_NO_THROW(plain = PlainText(RenderNode(source, static_cast<int>(index))));
      ASSERT_TRUE(IsValidUtf8(plain));
      size_t from = 0;
      for (const std::string& word : WordsOf(node, source.charset)) {
        size_t found = plain.find(word, from);
        ASSERT_NE(found, std::string::npos) << "\"" << word << "\" missing after offset " << from;
        from = found + word.size();
        ++words;
      }
      ++nodes;
    }
  }
  EXPECT_GT(nodes, 1000u);
  EXPECT_GT(words, 300000u);
}

}  // namespace
}  // namespace folioteer
