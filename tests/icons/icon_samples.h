// Icons for the icon tests: the shared real-world icons, small PNG icons
// built here, and damaged icons, each with the result reading must give.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "icons/icon_bytes.h"
#include "icons/icon_file.h"
#include "icons/png_icon.h"
#include "icons/project_icon.h"
#include "test_util.h"

namespace folioteer::testing {

inline const std::vector<std::string>& CorpusIconNames() {
  static const std::vector<std::string> names{"glowicons-tool.info",
                                              "latin1-tooltype-drawer.info",
                                              "newicons-project.info",
                                              "os13-drawer.info",
                                              "os3-disk.info",
                                              "os4-argb-project.info",
                                              "parrot-project.info",
                                              "smartreadargs-project.info",
                                              "umc-p96-readme-drawerdata.info"};
  return names;
}

inline std::string CorpusIcon(const std::string& name) {
  return ReadFile(SharedDir() + "/corpus/icons/" + name);
}

inline std::string PngChunk(const std::string& id, const std::string& data) {
  std::string chunk;
  AppendU32(chunk, static_cast<uint32_t>(data.size()));
  chunk += id + data;
  AppendU32(chunk, PngCrc(id + data));
  return chunk;
}

inline std::string WordTag(uint32_t id, uint32_t value) {
  std::string tag;
  AppendU32(tag, id);
  AppendU32(tag, value);
  return tag;
}

inline std::string TextTag(uint32_t id, const std::string& text) {
  std::string tag;
  AppendU32(tag, id);
  return tag + text + std::string(1, '\0');
}

// The icOn data of a project icon at (10, 20) with a stack tag before and a
// type tag after the edited ones.
inline std::string SampleIconTags() {
  return WordTag(0x80001009, 8192) + WordTag(0x80001001, 10) + WordTag(0x80001002, 20) +
         TextTag(0x8000100A, "MultiView") + TextTag(0x8000100B, "PUBSCREEN=Work") + WordTag(0x8000100F, 4);
}

// A PNG icon: IHDR, the icOn chunk when iconData is given, a stand-in IDAT,
// IEND, then a second image (the selected one).
inline std::string PngIcon(const std::string* iconData) {
  static const std::string kSignature("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  for (uint32_t value : {48u, 32u}) AppendU32(header, value);
  header += std::string("\x08\x06\x00\x00\x00", 5);
  std::string image = kSignature + PngChunk("IHDR", header);
  if (iconData) image += PngChunk("icOn", *iconData);
  image += PngChunk("IDAT", "not decoded by icon readers") + PngChunk("IEND", "");
  std::string selected = kSignature + PngChunk("IHDR", header) + PngChunk("IEND", "");
  return image + selected;
}

struct DamagedIcon {
  std::string what;
  std::string bytes;
  int result;
};

// Damaged icons made from the default icon, and PNG icons with a broken icOn
// chunk: each must be refused without a crash or a large allocation.
inline std::vector<DamagedIcon> DamagedIcons() {
  const std::string good = DefaultProjectIcon(kProjectIconTool);
  const size_t toolAt = good.size() - kProjectIconTool.size() - 5;  // the tool's length field
  std::vector<DamagedIcon> cases;
  auto patched = [&](size_t at, uint32_t value, std::string base) {
    PutU32(base, at, value);
    return base;
  };
  cases.push_back(
      {"cut in the tool", good.substr(0, good.size() - 1), kIconDamaged});  // any cut: icon_file_test
  cases.push_back({"wrong magic", patched(0, 0xE3110001, good), kIconDamaged});
  cases.push_back({"unknown version", patched(0, 0xE3100002, good), kIconDamaged});
  cases.push_back({"tool length of 4 GB", patched(toolAt, 0xFFFFFFFF, good), kIconDamaged});
  std::string planes = good;
  PutU16(planes, 78 + 4, 0xFFFF);
  PutU16(planes, 78 + 6, 0xFFFF);
  PutU16(planes, 78 + 8, 8);
  cases.push_back({"8 planes of 65535 x 65535", planes, kIconDamaged});
  std::string types = patched(0x36, 1, good);
  cases.push_back({"tool types missing", types, kIconDamaged});
  for (uint32_t count : {0u, 0xFFFFFFFCu, 12u}) {
    std::string table = types;
    AppendU32(table, count);
    AppendU32(table, 2);
    table += std::string("A\0", 2);
    cases.push_back({"tool types count " + std::to_string(count), table, kIconDamaged});
  }
  std::string form = good + "FORM";
  AppendU32(form, 1000);
  cases.push_back({"FORM ICON past the end", form + "ICONFACE", kIconDamaged});
  std::string chunk = good + "FORM";
  AppendU32(chunk, 16);
  chunk += "ICONFACE";
  AppendU32(chunk, 100);
  cases.push_back({"FORM chunk past its block", chunk + "abcd", kIconDamaged});

  std::string tags = SampleIconTags();
  std::string png = PngIcon(&tags);
  std::string badCrc = png;
  badCrc[png.find("icOn") + 4 + tags.size()] ^= 1;
  cases.push_back({"PNG icOn CRC", badCrc, kIconDamaged});
  std::string longChunk = png;
  PutU32(longChunk, png.find("icOn") - 4, 0x7FFFFFF0);
  cases.push_back({"PNG icOn past the end", longChunk, kIconDamaged});
  std::string cut = tags.substr(0, tags.size() - 2);
  cases.push_back({"PNG tag value cut", PngIcon(&cut), kIconDamaged});
  std::string unknown = WordTag(0x80001001, 1) + WordTag(0x80001234, 0) + TextTag(0x8000100A, "Tool");
  cases.push_back({"PNG unknown tag", PngIcon(&unknown), kIconNotEditable});
  cases.push_back({"PNG without IEND", png.substr(0, png.find("IEND") - 4), kIconDamaged});
  std::string twice = png;
  twice.insert(png.find("IDAT") - 4, PngChunk("icOn", tags));
  cases.push_back({"PNG with two icOn chunks", twice, kIconNotEditable});
  cases.push_back({"PNG without IHDR first", png.substr(0, 8) + png.substr(8 + 25), kIconDamaged});
  return cases;
}

}  // namespace folioteer::testing
