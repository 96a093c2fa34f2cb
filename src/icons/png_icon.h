// PNG icons (OS4, AROS): a PNG image whose private chunk `icOn` holds the
// icon's data as (tag, value) pairs; a second PNG after the first one's IEND
// is the selected image.
//
// The reader checks the chunk structure of the first image, the CRC of the
// icOn chunk and every tag in it. Only the tags listed in png_icon.cpp are
// known; any other makes the sizes of the values after it unknowable, and
// such an icon is reported as not editable. The writer replaces the icOn
// chunk (or adds one after IHDR) and copies every other byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "icons/icon_file.h"

namespace folioteer {

// Fills icon.png, icon.read and icon.type from icon.bytes (which starts with
// the PNG signature); 0, kIconDamaged or kIconNotEditable.
int ParsePngIcon(IconFile& icon);

// The file with an icOn chunk for icon.fields.
std::string SerialisePngIcon(const IconFile& icon);

// The CRC-32 of PNG chunks (ISO 3309, as zlib computes it).
uint32_t PngCrc(std::string_view bytes);

}  // namespace folioteer
