// The RTF export: the whole Guide document open in the editor as one RTF
// file beside the guide (same directory and base name, extension "rtf").
// The export walks the parsed document with the node text scanner, whose
// handlers it installs, and writes through the RTF writer: every node in
// document order in a group of its own, each after MAIN on a new page, each
// carrying an invisible bookmark named after it that links refer to.
//
// The scanner state, the store of pending paragraph formats and the output
// file live only during one export. An exception (such as an assertion on
// an attribute the export cannot read) ends the export after it wrote the
// closing "\line}", closed the file and released the scanner; the exception
// then goes on to the caller, which reports it and lets the editor go on.
#pragma once

#include <cstdint>
#include <string>

#include "guide/document.h"

namespace folioteer {

enum class RTFExportResult : uint8_t {
  Written,
  NotCreated,   // the file could not be opened, or writing it failed
  GuideItself,  // the RTF file's name is the guide's own (a guide named *.rtf): nothing written
};

// The RTF file beside the guide; "Bad File Name" when the name has no file part.
std::string RTFFileName(const std::string& guideName);

RTFExportResult ConvertRTF(AmigaGuideFile guideFile);

}  // namespace folioteer
