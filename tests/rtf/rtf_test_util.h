// Helpers for the RTF export tests: export a guide given as text, and check
// that an RTF file is one group with balanced braces.
#pragma once

#include <string>

#include "guide/parser.h"
#include "rtf/rtf_export.h"
#include "test_util.h"

namespace folioteer::testing {

// TRUE when the text is a single group whose braces balance; a backslash
// takes the character after it out of the count ("\{", "\}", "\\").
inline bool IsOneBalancedGroup(const std::string& rtf) {
  if (rtf.empty() || rtf[0] != '{') return false;
  int depth = 0;
  for (size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') {
      ++i;
    } else if (rtf[i] == '{') {
      ++depth;
    } else if (rtf[i] == '}') {
      --depth;
      if (depth < 0 || (depth == 0 && i + 1 != rtf.size())) return false;
    }
  }
  return depth == 0;
}

// Writes the guide into dir, opens it and exports it; the RTF text, or the
// result of the export when it is not Written.
inline std::string ExportGuide(const TempDir& dir, const std::string& guideText,
                               RTFExportResult* result = nullptr, const std::string& name = "test.guide") {
  WriteFile(dir.File(name), guideText);
  AmigaGuideFile guide = nullptr;
  bool created = false;
  int opened = -1;
  OpenAmigaGuideFile(guide, dir.File(name), created, opened);
  if (opened != kOpened) return "open failed";
  RTFExportResult exported = RTFExportResult::NotCreated;
  try {
    exported = ConvertRTF(guide);
  } catch (...) {
    CloseAmigaGuideFile(guide);
    throw;
  }
  CloseAmigaGuideFile(guide);
  if (result != nullptr) *result = exported;
  return ReadFile(RTFFileName(dir.File(name)));
}

}  // namespace folioteer::testing
