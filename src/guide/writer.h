// Writing a Guide document as an AmigaGuide file: the global commands, then
// for each node its @node line, its local commands, its text lines and its
// @endnode; LF line ends and nothing else.
//
// The file is written beside its old version and renamed over it only when
// every byte was written, so a failed save leaves the old file untouched.
#pragma once

#include <string>

#include "guide/document.h"

namespace folioteer {

// TRUE when the whole document reached the file.
bool OutputAmigaGuideFile(AmigaGuideFile handle);

// The bytes OutputAmigaGuideFile writes, for those who read the document as
// a reader would (the HTML export) without writing the guide.
std::string AmigaGuideText(AmigaGuideFile handle);

}  // namespace folioteer
