#include "platform/InstanceGuard.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/Paths.h"

namespace platform {

namespace {

std::string LockFilePath(std::string_view folder, std::string_view name) {
  std::string path(name);
  path += ".lock";
  if (folder.empty()) return MapPath(path);
  return MapPath(std::string(folder) + "/" + path);
}

// Byte 0 of the lock file is the guard itself: held for writing by a copy
// that runs alone, for reading by every copy that shares it. Byte n is held
// for writing by copy n.
constexpr off_t kGuardByte = 0;

// Locks one byte of the open file description: such locks conflict between
// descriptors even inside one process, and one lock of a description is
// turned into another at once, never released in between.
bool LockByte(int fd, off_t byte, short type, bool wait) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = byte;
  lock.l_len = 1;
  int result;
  do {
    result = ::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

bool HeldElsewhere() {
  return errno == EAGAIN || errno == EACCES;
}

}  // namespace

// Every guard opens the file itself, so guards conflict even inside one
// process, and the locks go with the descriptor, which the system closes
// when the process dies. O_CLOEXEC keeps programs started from the game
// from inheriting them. The lock file stays behind on purpose: removing it
// would let a later guard lock a new file while an older guard still holds
// the removed one.
InstanceGuard::InstanceGuard(std::string_view folder, std::string_view name) {
  const std::string path = LockFilePath(folder, name);
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    Fail(path, "cannot be opened");
    return;
  }
  if (LockByte(fd_, kGuardByte, F_WRLCK, false)) return;
  alreadyExisted_ = HeldElsewhere();
  if (!alreadyExisted_) Fail(path, "cannot be locked");
}

// Read at once, while errno is the failed call's.
void InstanceGuard::Fail(const std::string& path, const char* what) {
  failure_ = "the lock file " + path + " " + what + ": " + std::strerror(errno);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

InstanceGuard::~InstanceGuard() {
  if (fd_ >= 0) ::close(fd_);
}

int InstanceGuard::Share() {
  if (fd_ < 0) return 1;
  // A joining copy waits for the guard before it takes a number, so the
  // copy holding it alone keeps the lowest number free for itself.
  if (alreadyExisted_ && !LockByte(fd_, kGuardByte, F_RDLCK, true)) return 1;
  int number = 1;
  while (!LockByte(fd_, number, F_WRLCK, false) && HeldElsewhere()) ++number;
  if (!alreadyExisted_) LockByte(fd_, kGuardByte, F_RDLCK, false);
  return number;
}

}  // namespace platform
