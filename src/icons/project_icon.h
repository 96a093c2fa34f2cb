// Project icons: makes sure a saved file has a Workbench icon that opens it
// with the wanted tool.
//
// The icon of "dir/Notes.guide" is the file "dir/Notes.guide.info" (an
// existing one is found whatever its letter case, as AmigaDOS would). A file
// without an icon gets the default project icon: a page with a folded corner
// in 2 planes. WriteProjIcon applies the wishes (default tool, position, tool
// types) and writes the icon only when that changed it, through a temporary
// file renamed over the old one. An icon that cannot be read or understood
// is never written. No state lives between calls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "icons/icon_file.h"

namespace folioteer {

inline constexpr std::string_view kProjectIconTool = "SYS:Utilities/Multiview";

// The numbers are the ones callers pass in the command layer's byte.
enum class DefaultToolMode : uint8_t {
  Replace = 0,       // a different default tool is replaced
  KeepExisting = 2,  // a default tool that is not empty stays
};

enum class ToolTypeMerge : uint8_t {
  Replace,  // the given tool types take the place of the icon's
  Merge,    // each given one replaces the icon's of the same name or is added
};

// Applies the wishes to fileName's icon, or to a new default icon, and
// writes it when it changed. x and y: a negative value leaves that
// coordinate alone. 0, or a system error number: EINVAL also for an icon
// that is damaged or a tool text holding a NUL byte, ENOTSUP for an icon
// holding data we cannot rewrite, EFBIG for an icon file above 64 MB.
int WriteProjIcon(const std::string& fileName, std::string_view defaultTool,
                  const std::optional<std::vector<std::string>>& toolTypes, int32_t x, int32_t y,
                  DefaultToolMode mode, ToolTypeMerge merge);

// The icon file of fileName: an existing one found ignoring letter case, or
// fileName + ".info".
std::string IconFileName(const std::string& fileName);

// The applying step of WriteProjIcon on an icon in memory; TRUE when it
// changed anything.
bool ApplyIconWishes(IconFields& fields, std::string_view defaultTool,
                     const std::optional<std::vector<std::string>>& toolTypes, int32_t x, int32_t y,
                     DefaultToolMode mode, ToolTypeMerge merge);

// Tool types after merging given ones into an icon's. NewIcons image lines
// (from the " " line before "*** DON'T EDIT THE FOLLOWING LINES!! ***" on)
// stay last and unchanged; a name is what precedes "=", compared ignoring
// letter case.
std::vector<std::string> MergeToolTypes(const std::vector<std::string>& existing,
                                        const std::vector<std::string>& given, ToolTypeMerge merge);

// The default project icon's file for defaultTool, and its picture: one row
// of colour indices per text, '.' grey (0), '#' black (1), 'o' white (2),
// '+' blue (3).
std::string DefaultProjectIcon(std::string_view defaultTool);
const std::vector<std::string_view>& DefaultIconPicture();

}  // namespace folioteer
