// The fixed layout of a classic Workbench icon file: a DiskObject with an
// embedded Gadget (78 bytes), the parts that follow it, and the planar image
// header. All values are big-endian on disk; pointer fields only say whether
// a part follows (non-zero) or not.
#pragma once

#include <cstddef>
#include <cstdint>

namespace folioteer::disk_object {

inline constexpr uint16_t kMagic = 0xE310;
inline constexpr uint16_t kVersion = 1;
inline constexpr size_t kHeaderSize = 78;
inline constexpr size_t kDrawerDataSize = 56;
inline constexpr size_t kDrawerData2Size = 6;
inline constexpr size_t kImageHeaderSize = 20;

// Header fields.
inline constexpr size_t kMagicAt = 0x00;
inline constexpr size_t kVersionAt = 0x02;
inline constexpr size_t kGadgetWidthAt = 0x0C;
inline constexpr size_t kGadgetHeightAt = 0x0E;
inline constexpr size_t kGadgetFlagsAt = 0x10;
inline constexpr size_t kActivationAt = 0x12;
inline constexpr size_t kGadgetTypeAt = 0x14;
inline constexpr size_t kRenderAt = 0x16;
inline constexpr size_t kSelectRenderAt = 0x1A;
inline constexpr size_t kUserDataAt = 0x2C;
inline constexpr size_t kRevisionAt = 0x2F;  // the low byte of the user data
inline constexpr size_t kTypeAt = 0x30;
inline constexpr size_t kDefaultToolAt = 0x32;
inline constexpr size_t kToolTypesAt = 0x36;
inline constexpr size_t kCurrentXAt = 0x3A;
inline constexpr size_t kCurrentYAt = 0x3E;
inline constexpr size_t kDrawerDataAt = 0x42;
inline constexpr size_t kToolWindowAt = 0x46;
inline constexpr size_t kStackSizeAt = 0x4A;

// Image header fields, from the image's start.
inline constexpr size_t kImageWidthAt = 4;
inline constexpr size_t kImageHeightAt = 6;
inline constexpr size_t kImageDepthAt = 8;
inline constexpr size_t kImageDataAt = 10;
inline constexpr size_t kPlanePickAt = 14;
inline constexpr size_t kPlaneOnOffAt = 15;

inline constexpr uint16_t kFlagsImagesBackfill = 5;
inline constexpr uint16_t kActivationImmediateVerify = 3;
inline constexpr uint16_t kBoolGadget = 1;
inline constexpr uint32_t kCurrentRevision = 1;
inline constexpr uint32_t kDefaultStackSize = 4096;

}  // namespace folioteer::disk_object
