// The draft preview: the node being edited as a reader will see it. The node
// is written, with the document's global commands, into a small temporary
// guide (the node becomes MAIN of a one-node document, under a right-aligned
// "Folioteer Draft" banner) and the window system's guide renderer shows
// that file. Two temporary files, "T:FolioteerTmp<pid>0.guide" and "...1.guide",
// are written in turn. This module also starts the help viewer.
//
// The node being edited is read from the installed EditBox, and the preview
// window is reached through the PreviewWindow below: the windows sit above
// this module, so they implement both and install them at start-up.
#pragma once

#include <string>
#include <string_view>

#include "nodes/node_registry.h"

namespace folioteer {

// The window that shows a guide file formatted.
class PreviewWindow {
 public:
  virtual ~PreviewWindow() = default;
  virtual void ShowPreview(std::string_view guideFile, std::string_view title) = 0;
  virtual void ClosePreview() = 0;
};

// Installs the implementation; nullptr removes it (showing is then an assertion).
void InstallPreviewWindow(PreviewWindow* window);

// Makes the two temporary names and creates the first file.
void InitPreview();
// Closes the preview and deletes both temporary files.
void TermPreview();

void DoShow(NodeEntry* entry);
void ShowOff();
bool IsShowOn();
// The name DoShow writes next.
std::string CurrentPreviewFile();
// The text of the temporary guide for a node.
std::string PreviewGuideText(NodeEntry* entry);
// The window title for a node: its @title, else its title, else its name.
std::string PreviewTitle(const NodeEntry* entry);

// The argument line of the help viewer for a guide file.
std::string HelpArguments(std::string_view guideFile);
// Starts the help viewer (APPDIR:Multiview) on the guide, without a shell
// and without waiting for it. FALSE when the viewer is missing, the guide
// cannot be read or the viewer does not start; `problem` then says which,
// for the user.
bool HelpOn(std::string_view guideFile, std::string* problem = nullptr);
void HelpOff();

}  // namespace folioteer
