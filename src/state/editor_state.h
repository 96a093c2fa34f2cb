// The shared editor state: the few process-wide variables that the command
// loop, node management, the preview and the windows all read and write. The
// open guide, the node in the edit box, the on/off settings, the public
// screen, the editor font and the selection state of the windows
// (ProgramStatus). It sits in a folder of its own right above guide/, below
// every folder that reads it, and knows node entries only by name.
#pragma once

#include <cstdint>
#include <string>

#include "guide/document.h"

namespace folioteer {

struct NodeEntry;

// The flags of ProgramStatus.
enum ProgramStatusFlag : uint8_t {
  kGlobalSelected = 1,     // a row of the global command list is selected
  kGlobalKindFlag = 2,     // ... and that command has no parameter to edit
  kNodeSelected = 4,       // a row of the node list is selected
  kLocalSelected = 8,      // a row of the node-local command list is selected
  kLocalKindFlag = 16,     // ... and that command has no parameter to edit
  kMainSelected = 32,      // the selected node row is MAIN
  kMisspellingShown = 64,  // a misspelled word is selected in the edit box
  kPreviewToRestore = 128  // the preview was open when the window was iconified
};

struct EditorFont {
  std::string name;
  int size = 14;
  int style = 0;  // underlined 1, bold 2, italic 4
  bool fixedWidth = false;
  // Taken from the system because none was set: not written to the settings.
  bool fromSystem = false;
};

struct EditorState {
  AmigaGuideFile guideFile = nullptr;
  NodeEntry* editingNode = nullptr;
  std::string pubScreenName;
  bool screenFromSystem = false;  // the default screen's name, filled in: not written to the settings
  bool makeIcons = true;
  bool autoPreview = false;
  bool useTabAttr = false;
  bool helpHints = true;
  bool spellCheck = false;
  uint8_t programStatus = 0;
  EditorFont editorFont;

  bool Status(ProgramStatusFlag flag) const { return (programStatus & flag) != 0; }
  void SetStatus(ProgramStatusFlag flag, bool on) {
    programStatus = on ? (programStatus | flag) : (programStatus & ~flag);
  }
};

EditorState& Editor();

}  // namespace folioteer
