#include "framework/PeriodicThread.h"

PeriodicThread::~PeriodicThread() { Stop(); }

void PeriodicThread::Start(std::chrono::milliseconds interval, std::function<void()> step) {
  step_ = std::move(step);
  stop_ = false;
  thread_ = std::thread([this, interval] { Run(interval); });
}

void PeriodicThread::Stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void PeriodicThread::Run(std::chrono::milliseconds interval) {
  for (;;) {
    {
      std::unique_lock<std::mutex> hold(mutex_);
      if (wake_.wait_for(hold, interval, [this] { return stop_.load(); })) return;
    }
    step_();
  }
}
