#include "support/file_descriptor.h"

#include <fcntl.h>
#include <gtest/gtest.h>

namespace folioteer {
namespace {

bool IsOpen(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

TEST(FileDescriptor, ClosesOnceWhoeverHoldsIt) {
  int raw = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  ASSERT_GE(raw, 0);
  {
    FileDescriptor first(raw);
    FileDescriptor second(std::move(first));
    EXPECT_FALSE(first.Valid());
    EXPECT_EQ(second.Get(), raw);
    FileDescriptor third;
    third = std::move(second);
    EXPECT_TRUE(IsOpen(raw));
  }
  EXPECT_FALSE(IsOpen(raw));

  FileDescriptor kept(::open("/dev/null", O_RDONLY | O_CLOEXEC));
  int released = kept.Release();
  EXPECT_FALSE(kept.Valid());
  EXPECT_EQ(kept.Close(), 0);  // nothing to close
  EXPECT_TRUE(IsOpen(released));
  FileDescriptor again(released);
  EXPECT_EQ(again.Close(), 0);
  EXPECT_FALSE(IsOpen(released));
  EXPECT_EQ(FileDescriptor(released).Close(), EBADF);  // a close the system refuses is reported
}

}  // namespace
}  // namespace folioteer
