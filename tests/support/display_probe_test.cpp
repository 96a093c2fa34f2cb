#include "support/display_probe.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "test_util.h"

namespace folioteer {
namespace {

TEST(DisplayProbe, ParsesXDisplayNames) {
  struct Case {
    std::string display;
    std::optional<X11Address> address;
  };
  const std::vector<Case> table{
      {":0", X11Address{"", 0}},
      {"localhost:10.0", X11Address{"localhost", 10}},
      {"[::1]:2", X11Address{"[::1]", 2}},
      {"/tmp/launch-x/org.xquartz:0", X11Address{"/tmp/launch-x/org.xquartz", 0}},
      {":x", std::nullopt},
      {":99999", std::nullopt},
  };
  for (const Case& row : table) EXPECT_EQ(ParseX11Display(row.display), row.address) << row.display;
}

TEST(DisplayProbe, ListeningSocketIsReachable) {
  testing::TempDir dir;
  int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::string path = dir.File("wayland-1");
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 4), 0);
  EXPECT_TRUE(WaylandDisplayReachable("wayland-1", dir.Path()));
  ::close(listener);
  EXPECT_FALSE(WaylandDisplayReachable("wayland-1", dir.Path()));
  testing::WriteFile(dir.File("wayland-8"), "");  // no socket
  EXPECT_FALSE(WaylandDisplayReachable("wayland-8", dir.Path()));
  EXPECT_FALSE(X11DisplayReachable("no display"));
}

TEST(DisplayProbe, ChoosesThePlatformsOfReachableDisplays) {
  EXPECT_EQ(UsablePlatforms(true, false, ""), "xcb");
  EXPECT_EQ(UsablePlatforms(true, true, ""), "wayland;xcb");
  EXPECT_EQ(UsablePlatforms(false, true, "xcb"), "");
  EXPECT_EQ(UsablePlatforms(true, false, "xcbx"), "");
}

}  // namespace
}  // namespace folioteer
