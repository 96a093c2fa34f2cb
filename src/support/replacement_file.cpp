// Replacement files: a file written as a whole and put in place only when
// all of it was written. Normally the content goes to a temporary file
// beside the target, which is renamed over it; a target with more than one
// hard link, or in a folder that may not be written, is instead overwritten
// in place from a complete temporary copy, after its space was reserved.
//
// Temporary files not yet put in place are listed, so that a signal that
// ends the program removes them; the lock of that list also covers every
// step that puts a file in place, so such a signal ends the program before
// or after that step, never in the middle of it.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "support/channels.h"
#include "support/file_descriptor.h"
#include "support/file_device.h"
#include "support/file_names.h"
#include "support/platform_paths.h"
#include "support/signals.h"

namespace folioteer {
namespace {

constexpr size_t kCopyChunk = 1 << 20;

std::mutex commitLock;
std::once_flag cleanupAdded;

// Never destroyed: a signal may end the program while it exits.
std::vector<std::string>& Pending() {
  static auto* names = new std::vector<std::string>;
  return *names;
}

void Forget(const std::string& name) { std::erase(Pending(), name); }

// On the watcher thread when a signal ends the program: the lock is kept,
// so nothing is put in place any more.
void RemovePending() {
  commitLock.lock();
  for (const std::string& name : Pending()) ::unlink(name.c_str());
  Pending().clear();
}

// Where and how the content of a replacement goes.
struct Plan {
  std::string target;  // the file that gets the content (a link's target)
  bool exists = false;
  struct stat old {};  // the target as it was, when it exists
  mode_t mode = 0;     // the permission bits of the result
  bool inPlace = false;
};

mode_t CurrentUmask() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

std::string FolderOf(const std::string& name) {
  std::string dir, file;
  SplitFileName(name, dir, file);
  return dir.empty() ? std::string(".") : dir;
}

// As the kernel's protected_symlinks: in a sticky folder that everyone may
// write, only a link of our own or of the folder's owner is followed.
bool MayFollowLink(const std::string& name, const struct stat& link) {
  struct stat folder {};
  if (::stat(FolderOf(name).c_str(), &folder) != 0) return false;
  bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

int MakePlan(const std::string& name, Links links, Plan& plan) {
  plan.target = name;
  struct stat link {};
  if (::lstat(name.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (links == Links::Refuse || !MayFollowLink(name, link)) return ELOOP;
    char resolved[PATH_MAX];
    if (::realpath(name.c_str(), resolved) != nullptr) plan.target = resolved;
  }
  plan.mode = 0666 & ~CurrentUmask();
  if (::stat(plan.target.c_str(), &plan.old) != 0) return errno == ENOENT ? 0 : errno;
  if (!S_ISREG(plan.old.st_mode)) return kWrongFileType;
  if (::faccessat(AT_FDCWD, plan.target.c_str(), W_OK, AT_EACCESS) != 0) return errno;
  plan.exists = true;
  plan.mode = plan.old.st_mode & 07777;
  plan.inPlace = plan.old.st_nlink > 1;
  return 0;
}

// A new temporary file from the pattern, listed before anyone can see it.
int MakeTemporary(std::string& pattern, FileDescriptor& fd) {
  std::lock_guard guard(commitLock);
  fd = FileDescriptor(::mkostemp(pattern.data(), O_CLOEXEC));
  if (!fd.Valid()) return errno;
  Pending().push_back(pattern);
  return 0;
}

// Beside the target; a target in a folder that may not be written is
// written in place from a copy in T:.
int MakeTemporaryFor(Plan& plan, std::string& tempName, FileDescriptor& fd) {
  tempName = plan.target + ".XXXXXX";
  int error = MakeTemporary(tempName, fd);
  if (error == 0 || !plan.exists || (error != EACCES && error != EPERM)) return error;
  std::string temp = TempDirectory();
  if (temp.empty()) return error;
  plan.inPlace = true;
  tempName = temp + "/replacement-XXXXXX";
  return MakeTemporary(tempName, fd);
}

// Makes sure the file can grow to newSize before any of it is overwritten.
int ReserveSpace(int fd, off_t oldSize, off_t newSize) {
  if (newSize <= oldSize) return 0;
  if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, newSize) == 0) return 0;
  if (errno != EOPNOTSUPP && errno != ENOSYS) return errno;
  struct statvfs space {};
  if (::fstatvfs(fd, &space) != 0) return 0;  // nothing to go by: the writes will tell
  auto available = static_cast<unsigned long long>(space.f_bavail) * space.f_frsize;
  return available < static_cast<unsigned long long>(newSize - oldSize) ? ENOSPC : 0;
}

// Flushes the folder, so that a rename survives a crash; not every file
// system can, which costs nothing but that assurance.
void SyncFolder(const std::string& name) {
  FileDescriptor folder(::open(FolderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Valid()) ::fsync(folder.Get());
}

class ReplacementDevice : public FileDevice {
 public:
  ReplacementDevice(FileDescriptor fd, std::string tempName, Plan plan)
      : FileDevice(std::move(fd)), tempName_(std::move(tempName)), plan_(std::move(plan)) {}
  ~ReplacementDevice() override { Discard(); }

  int Finish() override {
    FlushWrites();
    SyncToDisk();
    if (FirstError() == 0) NoteError(plan_.inPlace ? CopyInPlace() : KeepOwnerAndMode());
    CloseDescriptor();
    if (FirstError() == 0 && !plan_.inPlace) NoteError(Rename());
    Discard();
    return FirstError();
  }
  void Abandon() override {
    FileDevice::Finish();
    Discard();
  }

 private:
  int KeepOwnerAndMode();
  int CopyInPlace();
  int Rename();
  void Discard() {
    if (tempName_.empty()) return;
    std::lock_guard guard(commitLock);
    ::unlink(tempName_.c_str());
    Forget(tempName_);
    tempName_.clear();
  }

  std::string tempName_;  // empty once renamed or removed
  Plan plan_;
};

// The owner and group stay where the system lets us give them; where it does
// not, the set-user and set-group ID bits go, as they would grant the
// rights of whoever saved the file.
int ReplacementDevice::KeepOwnerAndMode() {
  mode_t mode = plan_.mode;
  if (plan_.exists) {
    const struct stat& old = plan_.old;
    auto give = [&](uid_t owner) { return ::fchown(Descriptor(), owner, old.st_gid) == 0; };
    if (!give(old.st_uid)) give(static_cast<uid_t>(-1));  // the group alone may still be ours to give
    struct stat now {};
    if (::fstat(Descriptor(), &now) != 0) return errno;
    if (now.st_uid != old.st_uid) mode &= ~S_ISUID;
    if (now.st_gid != old.st_gid) mode &= ~S_ISGID;
  }
  return ::fchmod(Descriptor(), mode) == 0 ? 0 : errno;
}

int ReplacementDevice::Rename() {
  {
    std::lock_guard guard(commitLock);
    if (::rename(tempName_.c_str(), plan_.target.c_str()) != 0) return errno;
    Forget(tempName_);
    tempName_.clear();
  }
  SyncFolder(plan_.target);
  return 0;
}

// The complete content is in the temporary file; the target keeps its inode,
// and with it its other names, owner and permissions.
int ReplacementDevice::CopyInPlace() {
  std::lock_guard guard(commitLock);
  FileDescriptor out(::open(plan_.target.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!out.Valid()) return errno;
  struct stat now {};
  if (::fstat(out.Get(), &now) != 0) return errno;
  if (!S_ISREG(now.st_mode)) return EINVAL;
  off_t size = ::lseek(Descriptor(), 0, SEEK_END);
  if (size < 0) return errno;
  if (int error = ReserveSpace(out.Get(), now.st_size, size)) return error;
  std::vector<char> chunk(kCopyChunk);
  for (off_t done = 0; done < size;) {
    ssize_t got = ::pread(Descriptor(), chunk.data(), std::min<off_t>(size - done, kCopyChunk), done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got < 0 ? errno : EIO;
    if (int error = WriteAll(out.Get(), chunk.data(), static_cast<size_t>(got))) return error;
    done += got;
  }
  if (::ftruncate(out.Get(), size) != 0 || ::fsync(out.Get()) != 0) return errno;
  return out.Close();
}

}  // namespace

int OpenReplacement(Channel& chan, const std::string& name, Links links) {
  chan = InvalidChannel();
  std::call_once(cleanupAdded, [] { AddSignalCleanup(RemovePending); });
  Plan plan;
  if (int error = MakePlan(name, links, plan)) return error;
  std::string tempName;
  FileDescriptor fd;
  if (int error = MakeTemporaryFor(plan, tempName, fd)) return error;
  auto device = std::make_unique<ReplacementDevice>(std::move(fd), std::move(tempName), std::move(plan));
  return RegisterChannel(std::move(device), chan);
}

}  // namespace folioteer
