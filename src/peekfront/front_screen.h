// The name of the screen in front, as Qt knows screens.
//
// A desktop shows no other program's active window to Qt, so the screen in
// front is the one the user is at: the screen under the mouse pointer, else
// the primary screen. The name is QScreen::name(), the name the editor's
// public screen setting takes.
#pragma once

#include <string>

namespace folioteer {

// Starts Qt on the given platforms (QT_QPA_PLATFORM syntax; their display
// must be reachable) and returns the name; empty when there is no screen or
// it has no name. Qt's own messages are dropped; should Qt give up, the
// program prints `fallback` and ends at once.
std::string FrontScreenName(const std::string& platforms, const char* fallback);

}  // namespace folioteer
