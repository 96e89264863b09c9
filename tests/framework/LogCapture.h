// Collects the lines the log echoes while it lives, for tests that check
// what a component logged; removes the echo again when it goes.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "framework/Log.h"

class LogCapture {
 public:
  LogCapture() {
    Log::SetEcho([this](const std::string& line) {
      std::lock_guard<std::mutex> hold(mutex_);
      lines_.push_back(line);
    });
  }
  ~LogCapture() { Log::SetEcho({}); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  std::vector<std::string> Lines() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return lines_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
};
