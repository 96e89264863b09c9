#include "platform/MessageQueue.h"

#include <algorithm>
#include <deque>
#include <mutex>

#include "platform/DesktopEvents.h"
#include "platform/Window.h"

namespace platform {

namespace {

// The queue is guarded so other threads may post; the lock is never held
// while events are translated or messages dispatched.
struct Queue {
  std::mutex lock;
  std::deque<Message> messages;
};

Queue& TheQueue() {
  static Queue queue;
  return queue;
}

bool TakeFront(Message& out) {
  Queue& queue = TheQueue();
  std::lock_guard<std::mutex> guard(queue.lock);
  if (queue.messages.empty()) return false;
  out = queue.messages.front();
  queue.messages.pop_front();
  return true;
}

}  // namespace

bool PeekMessage(Message& out) {
  if (TakeFront(out)) return true;
  PumpDesktopEvents();
  return TakeFront(out);
}

// A pointer motion right behind another of the same window replaces it:
// only where the pointer is now matters, and a burst of motions would
// otherwise cost a frame each before the next click or key is handled.
void PostMessage(const Message& message) {
  Queue& queue = TheQueue();
  std::lock_guard<std::mutex> guard(queue.lock);
  auto& messages = queue.messages;
  if (message.message == msg::MouseMove && !messages.empty() && messages.back().message == msg::MouseMove &&
      messages.back().window == message.window) {
    messages.back() = message;
    return;
  }
  messages.push_back(message);
}

void PostQuitMessage(int exitCode) {
  PostMessage({nullptr, msg::Quit, static_cast<std::uintptr_t>(exitCode), 0});
}

bool CloseOrQuitQueued() {
  Queue& queue = TheQueue();
  std::lock_guard<std::mutex> guard(queue.lock);
  return std::any_of(queue.messages.begin(), queue.messages.end(), [](const Message& m) {
    return m.message == msg::Close || m.message == msg::Quit;
  });
}

void DiscardMessagesFor(const Window* window) {
  if (window == nullptr) return;
  Queue& queue = TheQueue();
  std::lock_guard<std::mutex> guard(queue.lock);
  auto& messages = queue.messages;
  messages.erase(std::remove_if(messages.begin(), messages.end(),
                                [window](const Message& m) { return m.window == window; }),
                 messages.end());
}

std::intptr_t DispatchMessage(const Message& message) {
  Window* window = message.window;
  if (window == nullptr) return 0;
  if (const WindowProcFn proc = window->Procedure())
    return proc(window, message.message, message.wParam, message.lParam);
  return DefaultWindowProc(window, message.message, message.wParam, message.lParam);
}

// Nothing the procedure leaves alone needs the desktop's help here: the
// close box never destroys the window by itself, painting is the renderer's
// and a Sizing or GetMinMaxInfo left alone keeps what the desktop proposed.
std::intptr_t DefaultWindowProc(Window*, std::uint32_t, std::uintptr_t, std::intptr_t) {
  return 0;
}

}  // namespace platform
