#include "icons/icon_file.h"

#include <gtest/gtest.h>

#include "icon_samples.h"
#include "icons/png_icon.h"

namespace folioteer {
namespace {

using testing::CorpusIcon;
using testing::CorpusIconNames;

std::string Part(const std::string& bytes, ByteRange range) { return bytes.substr(range.offset, range.size); }

std::string Tail(const IconFile& icon) { return icon.bytes.substr(icon.classic.tailStart); }

struct CorpusExpectation {
  std::string name;
  uint8_t type;
  std::optional<std::string> defaultTool;
  size_t toolTypes;  // entries; SIZE_MAX: no table
  int32_t x, y;
};

TEST(IconFile, ReadsEveryCorpusIconWithItsParts) {
  const std::vector<CorpusExpectation> table{
      {"glowicons-tool.info", 3, std::nullopt, SIZE_MAX, kNoIconPosition, kNoIconPosition},
      {"latin1-tooltype-drawer.info", 2, std::nullopt, 1, 0xc2, 0x2a},
      {"newicons-project.info", 4, "sys:Utilities/MultiView", 18, 0x3c, 0x2f},
      {"os13-drawer.info", 2, std::nullopt, SIZE_MAX, 0x6b, 0x1d},
      {"os3-disk.info", 1, "SYS:System/DiskCopy", SIZE_MAX, kNoIconPosition, kNoIconPosition},
      {"os4-argb-project.info", 4, "Installer", SIZE_MAX, 0xe6, 0x5a},
      {"parrot-project.info", 4, "multiview", SIZE_MAX, 0x4a, 0x04},
      {"smartreadargs-project.info", 4, "MultiView", 0, 0x28, 0x5d},
      {"umc-p96-readme-drawerdata.info", 4, "More", SIZE_MAX, -1, -1},
  };
  for (const CorpusExpectation& want : table) {
    SCOPED_TRACE(want.name);
    IconFile icon;
    ASSERT_EQ(ParseIcon(CorpusIcon(want.name), icon), 0);
    EXPECT_EQ(icon.flavour, IconFlavour::Classic);
    EXPECT_EQ(icon.type, want.type);
    EXPECT_EQ(icon.read.defaultTool, want.defaultTool);
    EXPECT_EQ(icon.read.toolTypes ? icon.read.toolTypes->size() : SIZE_MAX, want.toolTypes);
    EXPECT_EQ(icon.read.x, want.x);
    EXPECT_EQ(icon.read.y, want.y);
    EXPECT_EQ(icon.classic.trailing.size, 0u);
    EXPECT_EQ(SerialiseIcon(icon), icon.bytes);
  }
}

TEST(IconFile, KeepsLatin1ToolTypesAsBytes) {
  IconFile drawer;
  ASSERT_EQ(ParseIcon(CorpusIcon("latin1-tooltype-drawer.info"), drawer), 0);
  EXPECT_EQ(drawer.read.toolTypes->at(0),
            "(Icon \xa9"
            "2015 Ken Lester)");
}

// Rewriting with another default tool changes the four header fields and
// the tool string, and nothing else: every other part reads back byte for byte.
TEST(IconFile, ChangingTheDefaultToolKeepsEveryOtherPart) {
  for (const std::string& name : CorpusIconNames()) {
    SCOPED_TRACE(name);
    IconFile old, changed;
    ASSERT_EQ(ParseIcon(CorpusIcon(name), old), 0);
    IconFile edited = old;
    edited.fields.defaultTool = "Work:Viewers/Other Viewer";
    ASSERT_EQ(ParseIcon(SerialiseIcon(edited), changed), 0);

    EXPECT_EQ(changed.read.defaultTool, "Work:Viewers/Other Viewer");
    EXPECT_EQ(changed.read.toolTypes, old.read.toolTypes);
    EXPECT_EQ(changed.bytes.substr(0, 0x32), old.bytes.substr(0, 0x32));
    EXPECT_EQ(changed.bytes.substr(0x36, 78 - 0x36), old.bytes.substr(0x36, 78 - 0x36));
    uint32_t oldPointer = GetU32(old.bytes, 0x32);
    EXPECT_EQ(GetU32(changed.bytes, 0x32), oldPointer != 0 ? oldPointer : 1u);
    EXPECT_EQ(Part(changed.bytes, changed.classic.drawerData), Part(old.bytes, old.classic.drawerData));
    EXPECT_EQ(Part(changed.bytes, changed.classic.images), Part(old.bytes, old.classic.images));
    EXPECT_EQ(Tail(changed), Tail(old));
  }
}

TEST(IconFile, WritesNewToolTypesPositionAndRemovedTool) {
  IconFile old, changed;
  ASSERT_EQ(ParseIcon(CorpusIcon("umc-p96-readme-drawerdata.info"), old), 0);
  IconFile edited = old;
  edited.fields.toolTypes = std::vector<std::string>{"PUBSCREEN=Work", "\xe9t\xe9"};
  edited.fields.x = 12;
  edited.fields.defaultTool.reset();
  ASSERT_EQ(ParseIcon(SerialiseIcon(edited), changed), 0);
  EXPECT_EQ(changed.read, edited.fields);
  EXPECT_EQ(GetU32(changed.bytes, 0x32), 0u);
  EXPECT_EQ(Tail(changed), Tail(old));  // drawer data part 2 stays after the strings
}

TEST(IconFile, PlanarImagesFollowTheBitOrderOfTheFormat) {
  // 3 x 2 pixels, 2 planes: row 0 holds colours 1 2 3, row 1 holds 0 1 0.
  const std::string data("\xA0\x00\x40\x00\x60\x00\x00\x00", 8);
  const std::vector<uint8_t> pixels{1, 2, 3, 0, 1, 0};
  EXPECT_EQ(PlanarDataSize(65535, 65535, 8), uint64_t{4096} * 2 * 65535 * 8);
  EXPECT_EQ(DecodePlanarImage(data, 3, 2, 2), pixels);
  EXPECT_EQ(EncodePlanarImage(3, 2, 2, pixels), data);
}

// The damaged icons of icon_samples.h are refused through the save step's
// call in the project icon tests.
TEST(IconFile, RefusesEveryTruncationOfAnIcon) {
  for (std::string name : {"parrot-project.info", "newicons-project.info", "os3-disk.info"}) {
    const std::string bytes = CorpusIcon(name);
    for (size_t length = 0; length < bytes.size(); ++length) {
      IconFile icon;
      ASSERT_EQ(ParseIcon(bytes.substr(0, length), icon), kIconDamaged) << name << " cut at " << length;
    }
  }
}

TEST(PngIcon, ComputesTheChunkCrcOfPng) { EXPECT_EQ(PngCrc("IEND"), 0xAE426082u); }

TEST(PngIcon, ReadsAndRewritesOnlyTheIconChunk) {
  const std::string tags = testing::SampleIconTags();
  IconFile old, changed;
  ASSERT_EQ(ParseIcon(testing::PngIcon(&tags), old), 0);
  EXPECT_EQ(old.flavour, IconFlavour::Png);
  EXPECT_EQ(old.read, (IconFields{"MultiView", std::vector<std::string>{"PUBSCREEN=Work"}, 10, 20}));
  EXPECT_GT(old.png.trailing.size, 8u);
  EXPECT_EQ(SerialiseIcon(old), old.bytes);
  IconFile edited = old;
  edited.fields.defaultTool = "SYS:Utilities/Multiview";
  edited.fields.toolTypes->push_back("DONOTWAIT");
  edited.fields.y = kNoIconPosition;
  std::string written = SerialiseIcon(edited);
  ASSERT_EQ(ParseIcon(written, changed), 0);
  EXPECT_EQ(changed.read, edited.fields);

  // Stack first, x where it stood, y left out, type last as before.
  std::string wantedTags = testing::WordTag(0x80001009, 8192) + testing::WordTag(0x80001001, 10) +
                           testing::TextTag(0x8000100A, "SYS:Utilities/Multiview") +
                           testing::TextTag(0x8000100B, "PUBSCREEN=Work") +
                           testing::TextTag(0x8000100B, "DONOTWAIT") + testing::WordTag(0x8000100F, 4);
  EXPECT_EQ(written, testing::PngIcon(&wantedTags));
}

TEST(PngIcon, AddsAnIconChunkAfterTheHeader) {
  IconFile old, changed;
  ASSERT_EQ(ParseIcon(testing::PngIcon(nullptr), old), 0);
  IconFile edited = old;
  edited.fields.defaultTool = "SYS:Utilities/Multiview";
  std::string written = SerialiseIcon(edited);
  ASSERT_EQ(ParseIcon(written, changed), 0);
  EXPECT_EQ(changed.read, edited.fields);
  std::string wantedTags = testing::TextTag(0x8000100A, "SYS:Utilities/Multiview");
  EXPECT_EQ(written, testing::PngIcon(&wantedTags));
}

}  // namespace
}  // namespace folioteer
