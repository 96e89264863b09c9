#include "platform/InstanceGuard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Paths.h"

namespace platform {

namespace {

std::string LockFilePath(std::string_view folder, std::string_view name) {
  std::string path(name);
  path += ".lock";
  if (folder.empty()) return MapPath(path);
  return MapPath(std::string(folder) + "/" + path);
}

int LockExclusiveNoWait(int fd) {
  int result;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  return result;
}

}  // namespace

// flock() locks belong to the open file description: every guard opens the
// file itself, so two guards conflict even inside one process, and the lock
// goes with the last descriptor, which the system closes when the process
// dies. O_CLOEXEC keeps programs started from the game from inheriting it.
// The lock file stays behind on purpose: removing it would let a later guard
// lock a new file while an older guard still holds the removed one.
InstanceGuard::InstanceGuard(std::string_view folder, std::string_view name) {
  const std::string path = LockFilePath(folder, name);
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  // A guard that cannot open its file guards nothing; the program runs as
  // the only instance rather than not at all.
  if (fd_ < 0) return;
  if (LockExclusiveNoWait(fd_) == 0) return;
  alreadyExisted_ = errno == EWOULDBLOCK;
  ::close(fd_);
  fd_ = -1;
}

InstanceGuard::~InstanceGuard() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace platform
