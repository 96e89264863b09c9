// The single-instance guard: an advisory lock on a file named after the
// guard, held for the life of the object and released by the system when
// the process ends, however it ends.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class InstanceGuard {
 public:
  // Takes the lock on `folder`/`name`.lock, creating the file when needed.
  // The folder must exist.
  InstanceGuard(std::string_view folder, std::string_view name);
  ~InstanceGuard();
  InstanceGuard(const InstanceGuard&) = delete;
  InstanceGuard& operator=(const InstanceGuard&) = delete;

  // True when another process (or another guard object) already holds the
  // lock; this guard then holds nothing.
  bool AlreadyExisted() const { return alreadyExisted_; }

 private:
  int fd_ = -1;
  bool alreadyExisted_ = false;
};

}  // namespace platform
