// The single-instance guard: advisory locks on a file named after the guard,
// held for the life of the object and released by the system when the
// process ends, however it ends. Copies allowed to run beside each other
// share the guard, and each holds a copy number of its own.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class InstanceGuard {
 public:
  // Opens `folder`/`name`.lock, creating it when needed, and tries to hold
  // the guard alone. The folder must exist.
  InstanceGuard(std::string_view folder, std::string_view name);
  ~InstanceGuard();
  InstanceGuard(const InstanceGuard&) = delete;
  InstanceGuard& operator=(const InstanceGuard&) = delete;

  // True when another process (or another guard object) holds the guard,
  // alone or shared; this guard then holds nothing until Share. False means
  // that no other copy runs while this guard holds it alone, unless Failed.
  bool AlreadyExisted() const { return alreadyExisted_; }
  // True when the guard could not be taken at all (its lock file cannot be
  // opened or locked): whether another copy runs is unknown, and this guard
  // holds nothing. Failure says why, naming the lock file.
  bool Failed() const { return !failure_.empty(); }
  const std::string& Failure() const { return failure_; }

  // Holds the guard beside other copies and takes the lowest copy number
  // no other holder has. A guard held alone gives way without letting go,
  // so no start can take it alone in between; one that found another
  // holder joins, waiting while a start holds it alone. Call once; guards
  // then stay shared until their copies end, so a later guard finds them
  // all. Returns the copy number, 1 when the guard Failed.
  int Share();

 private:
  void Fail(const std::string& path, const char* what);

  int fd_ = -1;
  bool alreadyExisted_ = false;
  std::string failure_;
};

}  // namespace platform
