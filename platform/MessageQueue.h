// The main thread's message queue: desktop events are translated into window
// messages (key downs also yield their character messages) when the queue is
// read. Messages that carry pointers (sizing, min/max info) are sent straight
// to the window procedure while events are translated, never queued.
#pragma once

#include <cstdint>

#include "platform/WindowMessages.h"

namespace platform {

// Takes one message without waiting; false when none is pending. When the
// queue is empty and the video subsystem runs, the desktop's pending events
// are translated first. Main thread only.
bool PeekMessage(Message& out);

// Appends a message to the queue; a pointer motion replaces one of the same
// window at the queue's end. Any thread.
void PostMessage(const Message& message);

// Queues a Quit message: the message loop ends when it takes it. Any thread.
void PostQuitMessage(int exitCode);

// True while a Close or Quit message waits in the queue. Any thread.
bool CloseOrQuitQueued();

// Drops the queued messages of a window that is going away, so none is
// dispatched to it afterwards (the window's destructor calls this).
void DiscardMessagesFor(const Window* window);

// Calls the procedure of the message's window; 0 for messages without one.
std::intptr_t DispatchMessage(const Message& message);

// What the desktop does with a message the procedure leaves alone.
std::intptr_t DefaultWindowProc(Window* window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam);

}  // namespace platform
