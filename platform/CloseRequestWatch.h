// Watches for the desktop's requests to end the program (a window's close,
// the desktop's quit) while the main thread waits on something other than
// its message loop, such as a message box. The requests stay queued, so the
// message loop takes them afterwards as it always does. Main thread only.
#pragma once

namespace platform {

class CloseRequestWatch {
 public:
  // A request already queued, translated or not, counts.
  CloseRequestWatch();
  ~CloseRequestWatch();
  CloseRequestWatch(const CloseRequestWatch&) = delete;
  CloseRequestWatch& operator=(const CloseRequestWatch&) = delete;

  // Reads the desktop's new events; true once a request came. Always false
  // while the video subsystem is not running.
  bool Requested();

 private:
  bool requested_ = false;
  bool watching_ = false;
};

}  // namespace platform
