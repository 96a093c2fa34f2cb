// Starting the viewer's window: Qt on the platforms found usable, the
// window on the screen named by PUBSCREEN (an unknown name: the default
// screen, and a line on standard error), at the size asked for.
//
// With FOLIOTEER_SCREENSHOT naming a file, the program saves a picture of
// its window there (PNG) as soon as it is shown, and ends: this is how
// scripts/screenshots takes its pictures.
#pragma once

#include <string>

#include "folioview/command_line.h"
#include "links/guide_file.h"

namespace folioteer {

// The exit status of the window's run.
int RunViewerWindow(const ViewerOptions& options, const GuideFile& file, const std::string& platforms);

}  // namespace folioteer
