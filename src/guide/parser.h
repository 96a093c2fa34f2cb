// Opening a guide file and parsing it into its Guide document.
//
// The model keeps only what the editor edits; text outside nodes, commands
// that may not stand where they are found outside nodes, and empty lines
// before commands are dropped. What was dropped is counted in the handle's
// ParseLosses, so that the user can learn what the next save leaves out.
#pragma once

#include <string>

#include "guide/document.h"

namespace folioteer {

// result: kOpened; kWrongFileType when the first line is not @database;
// kOtherProblem when the file cannot be read; else the system's reason. A
// missing or empty file is created as a new guide (created TRUE) and written
// at once. The handle is null unless the result is kOpened.
// An existing guide is only read here (so a read-only guide opens), and
// only a regular file is a guide: a FIFO or a device is the wrong file type
// at once, never waited for.
void OpenAmigaGuideFile(AmigaGuideFile& handle, const std::string& name, bool& created, int& result);
// Why the opening gave that result, in words, with the name.
std::string DescribeOpenResult(const std::string& name, int result);
// Parses a guide the caller has read already, exactly as OpenAmigaGuideFile
// parses a file, ParseLosses included, but creates and writes nothing: an
// empty text is the wrong file type like any text whose first line is no
// @database. `name` becomes the handle's file name. A guide the parser
// refuses (a second MAIN node; a header and no node) stops with the same
// assertion failure as there.
void ReadAmigaGuideText(AmigaGuideFile& handle, const std::string& name, std::string bytes, int& result);

bool ParseAGHeader(AmigaGuideFile handle);
bool ParseAGNode(AmigaGuideFile handle);

// One line as a command: null for a text line (a line whose first token is
// no keyword, or is "@{").
AGCmd* ParseCmd(const std::string& line);

}  // namespace folioteer
