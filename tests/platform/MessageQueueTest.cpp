// The message queue without a display: order, quit, a gone window's
// messages, waiting for one.
#include "platform/MessageQueue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <utility>
#include <vector>

namespace platform {
namespace {

using Taken = std::vector<std::pair<std::uint32_t, std::uintptr_t>>;

Taken Drain() {
  Taken taken;
  for (Message m; PeekMessage(m);) taken.emplace_back(m.message, m.wParam);
  return taken;
}

TEST(MessageQueueTest, MessagesComeOutInPostingOrderWithoutThoseOfAGoneWindow) {
  Drain();
  // Only the pointer is compared, so a stand-in address serves as the window.
  alignas(8) char standIn[8];
  auto* gone = reinterpret_cast<Window*>(standIn);
  PostMessage({nullptr, msg::KeyDown, 'A', 0});
  PostMessage({gone, msg::Paint, 0, 0});
  PostMessage({nullptr, msg::Char, 'a', 0});
  PostQuitMessage(3);
  PostMessage({gone, msg::Size, 0, 0});
  DiscardMessagesFor(gone);
  EXPECT_EQ(Drain(), (Taken{{msg::KeyDown, 'A'}, {msg::Char, 'a'}, {msg::Quit, 3}}));
}

// The loop waits for a message until its next frame is due: a queued one
// ends the wait at once, and without one the wait lasts its time.
TEST(MessageQueueTest, AWaitEndsAtOnceForAQueuedMessageElseAfterItsTime) {
  using Clock = std::chrono::steady_clock;
  Drain();
  PostMessage({nullptr, msg::KeyDown, 'A', 0});
  Clock::time_point start = Clock::now();
  WaitMessage(5000);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(Drain(), (Taken{{msg::KeyDown, 'A'}}));
  start = Clock::now();
  WaitMessage(30);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(29));
}

}  // namespace
}  // namespace platform
