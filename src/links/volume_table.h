// The volume table: which Linux directory an Amiga volume name in a link
// ("Work:", "SYS:", "HELP:") stands for. Guides written on the Amiga link to
// each other through such names; the user says where those volumes lie here.
//
// The table is the plain text file ENVARC:Folioteer/Volumes
// ($XDG_CONFIG_HOME/Folioteer/Volumes), one volume a line:
//
//     # Amiga volume   Linux directory
//     Work:            /home/me/amiga/Work
//     SYS:             ~/amiga/System
//
// The name runs up to its colon and is matched without regard to letter
// case; the directory is the rest of the line without the blanks around it
// (so it may hold blanks), absolute or starting with "~/" for the home
// directory. Empty lines and lines starting with "#" or ";" are comments.
// The first line of a name counts; a line that does not fit is left out and
// reported. A missing file is an empty table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace folioteer {

inline constexpr std::string_view kVolumeTableName = "ENVARC:Folioteer/Volumes";

struct Volume {
  std::string name;       // without the colon, as written
  std::string directory;  // absolute, "~/" expanded
};

struct VolumeTable {
  std::vector<Volume> volumes;
  std::vector<std::string> problems;  // "line 3: ...", for the user
};

// The table a text describes; `home` stands for "~".
VolumeTable ParseVolumeTable(std::string_view text, std::string_view home);
// The user's table from ENVARC:.
VolumeTable LoadVolumeTable();
// The Linux name of the table file.
std::string VolumeTablePath();

// The volume of that name (without the colon), or nullptr.
const Volume* FindVolume(const VolumeTable& table, std::string_view name);

}  // namespace folioteer
