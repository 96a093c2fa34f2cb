// Display probing over plain sockets.
#include "support/display_probe.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "support/file_descriptor.h"

namespace folioteer {
namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kX11BasePort = 6000;
constexpr std::string_view kX11SocketDir = "/tmp/.X11-unix/X";

// Connects a non-blocking socket, waiting at most kConnectTimeoutMs.
bool Connects(int domain, const sockaddr* address, socklen_t length) {
  FileDescriptor socket(::socket(domain, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (socket.Get() < 0) return false;
  if (::connect(socket.Get(), address, length) == 0) return true;
  if (errno != EINPROGRESS && errno != EAGAIN) return false;
  pollfd waiting{socket.Get(), POLLOUT, 0};
  if (::poll(&waiting, 1, kConnectTimeoutMs) != 1) return false;
  int error = 0;
  socklen_t size = sizeof error;
  return ::getsockopt(socket.Get(), SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

// A Unix socket by path; an abstract one (Linux) when abstract is set.
bool UnixSocketAccepts(std::string_view path, bool abstract) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  size_t offset = abstract ? 1 : 0;
  if (path.empty() || path.size() + offset >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  auto length =
      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
  return Connects(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length);
}

bool TcpPortAccepts(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  bool accepted = false;
  for (addrinfo* entry = found; entry != nullptr && !accepted; entry = entry->ai_next)
    accepted = Connects(entry->ai_family, entry->ai_addr, entry->ai_addrlen);
  ::freeaddrinfo(found);
  return accepted;
}

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// TRUE when the ";"-separated list holds name.
bool Names(std::string_view list, std::string_view name) {
  while (!list.empty()) {
    size_t end = list.find(';');
    if (list.substr(0, end) == name) return true;
    list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
  }
  return false;
}

}  // namespace

std::optional<X11Address> ParseX11Display(std::string_view display) {
  size_t colon = display.rfind(':');
  if (colon == std::string_view::npos || (colon > 0 && display[colon - 1] == ':')) return std::nullopt;
  std::string_view number = display.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  X11Address address{std::string(display.substr(0, colon)), 0};
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), address.number);
  if (number.empty() || error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  if (address.number < 0 || address.number > 65535 - kX11BasePort) return std::nullopt;
  return address;
}

bool X11DisplayReachable(std::string_view display) {
  std::optional<X11Address> address = ParseX11Display(display);
  if (!address) return false;
  if (address->host.starts_with('/'))  // a socket path given whole (launchd style)
    return UnixSocketAccepts(address->host + ":" + std::to_string(address->number), false);
  if (address->host.empty() || address->host == "unix") {
    std::string path = std::string(kX11SocketDir) + std::to_string(address->number);
    return UnixSocketAccepts(path, true) || UnixSocketAccepts(path, false);
  }
  return TcpPortAccepts(address->host, kX11BasePort + address->number);
}

bool WaylandDisplayReachable(std::string_view waylandDisplay, std::string_view runtimeDir) {
  if (waylandDisplay.empty()) return false;
  if (waylandDisplay.starts_with('/')) return UnixSocketAccepts(waylandDisplay, false);
  if (runtimeDir.empty()) return false;
  return UnixSocketAccepts(std::string(runtimeDir) + "/" + std::string(waylandDisplay), false);
}

std::string UsablePlatforms(bool x11, bool wayland, std::string_view requested) {
  std::string platforms;
  for (auto [usable, name] :
       {std::pair{wayland, std::string_view("wayland")}, std::pair{x11, std::string_view("xcb")}}) {
    if (!usable || (!requested.empty() && !Names(requested, name))) continue;
    if (!platforms.empty()) platforms += ';';
    platforms += name;
  }
  return platforms;
}

std::string PlatformsFromEnvironment() {
  bool x11 = X11DisplayReachable(Environment("DISPLAY"));
  bool wayland = WaylandDisplayReachable(Environment("WAYLAND_DISPLAY"), Environment("XDG_RUNTIME_DIR"));
  return UsablePlatforms(x11, wayland, Environment("QT_QPA_PLATFORM"));
}

bool PlatformNeedsNoDisplay(std::string_view platforms) {
  std::string_view first = platforms.substr(0, platforms.find_first_of(":;"));
  return !platforms.empty() && first != "xcb" && first != "wayland";
}

std::string DisplayPlatforms() {
  std::string_view requested = Environment("QT_QPA_PLATFORM");
  if (PlatformNeedsNoDisplay(requested)) return std::string(requested);
  return PlatformsFromEnvironment();
}

}  // namespace folioteer
