// A recursive lock that one thread may enter several times; the lock type of
// the log and of every threaded subsystem (computer commanders, peer link,
// sound streams). Hold it through YLock rather than Enter/Leave by hand.
#pragma once

#include <mutex>

class YCriticalSection {
 public:
  YCriticalSection() = default;
  ~YCriticalSection() = default;
  YCriticalSection(const YCriticalSection&) = delete;
  YCriticalSection& operator=(const YCriticalSection&) = delete;

  // Blocks until the calling thread holds the section; a thread that already
  // holds it enters again at once and must leave once per entry.
  void Enter();
  // Leaves one entry; only the holding thread may call it.
  void Leave();

 private:
  std::recursive_mutex mutex_;
};
