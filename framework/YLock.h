// Scoped hold of a YCriticalSection: entered when built, left when the scope
// ends, also when an exception passes through it.
#pragma once

#include "framework/YCriticalSection.h"

class YLock {
 public:
  // The section must outlive the lock.
  explicit YLock(YCriticalSection& section) : section_(section) { section_.Enter(); }
  ~YLock() { section_.Leave(); }
  YLock(const YLock&) = delete;
  YLock& operator=(const YLock&) = delete;

 private:
  YCriticalSection& section_;
};
