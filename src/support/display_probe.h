// Finding out, without the window system's libraries, whether a display can
// be reached: peekfront and folioview ask this before they start Qt, which
// would otherwise end the program (or wait) when there is no display.
//
// An X display is named by DISPLAY ("[host]:number[.screen]"); a local one is
// a Unix socket, a remote one a TCP port (6000 + number). A Wayland display
// is named by WAYLAND_DISPLAY, a socket in XDG_RUNTIME_DIR unless the name is
// a path. Reachable means that a connection was accepted within a second.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace folioteer {

struct X11Address {
  std::string host;  // empty or "unix": this machine, through a Unix socket
  int number = 0;

  friend bool operator==(const X11Address&, const X11Address&) = default;
};

std::optional<X11Address> ParseX11Display(std::string_view display);

bool X11DisplayReachable(std::string_view display);
bool WaylandDisplayReachable(std::string_view waylandDisplay, std::string_view runtimeDir);

// The Qt platforms to try, separated by ";" as QT_QPA_PLATFORM takes them:
// those whose display is reachable (Wayland first), narrowed to the ones a
// non-empty `requested` (the user's QT_QPA_PLATFORM) names. Empty: none.
std::string UsablePlatforms(bool x11, bool wayland, std::string_view requested);

// UsablePlatforms for this process's environment.
std::string PlatformsFromEnvironment();

// The platforms a Qt program starts on: QT_QPA_PLATFORM as it stands when
// its first platform needs no display (offscreen, minimal, vnc, ...), else
// PlatformsFromEnvironment(). Empty: there is no display to open windows on.
bool PlatformNeedsNoDisplay(std::string_view platforms);
std::string DisplayPlatforms();

}  // namespace folioteer
