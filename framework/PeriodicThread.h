// A worker thread that runs one step at a fixed interval until it is
// stopped: the stop wakes it at once and is waited for, so an owner can
// stop it first in its destructor and then tear down what the step uses.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class PeriodicThread {
 public:
  PeriodicThread() = default;
  // Stops the thread if it still runs.
  ~PeriodicThread();
  PeriodicThread(const PeriodicThread&) = delete;
  PeriodicThread& operator=(const PeriodicThread&) = delete;

  // Starts the thread: it waits `interval`, runs `step`, and again. Call once.
  void Start(std::chrono::milliseconds interval, std::function<void()> step);
  // Wakes the thread, lets a running step finish and joins it. Any thread
  // but the worker itself; safe to call when not started or already stopped.
  void Stop();

 private:
  void Run(std::chrono::milliseconds interval);

  std::function<void()> step_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
