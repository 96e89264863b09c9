// The message queue without a display: order, quit, a gone window's messages,
// pointer motions collapsed.
#include "platform/MessageQueue.h"

#include <gtest/gtest.h>

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

TEST(MessageQueueTest, ConsecutiveMotionsOfAWindowCollapseIntoTheLatestWithClicksAndKeysInOrder) {
  Drain();
  alignas(8) char standIns[2][8];
  auto* window = reinterpret_cast<Window*>(standIns[0]);
  auto* other = reinterpret_cast<Window*>(standIns[1]);
  const auto move = [](Window* w, std::uintptr_t at) { PostMessage({w, msg::MouseMove, at, 0}); };
  move(window, 1);
  move(window, 2);
  PostMessage({window, msg::LButtonDown, 20, 0});
  move(window, 3);
  move(window, 4);
  PostMessage({window, msg::KeyDown, 40, 0});
  move(window, 5);
  move(other, 6);
  move(window, 7);
  EXPECT_EQ(Drain(), (Taken{{msg::MouseMove, 2},
                            {msg::LButtonDown, 20},
                            {msg::MouseMove, 4},
                            {msg::KeyDown, 40},
                            {msg::MouseMove, 5},
                            {msg::MouseMove, 6},
                            {msg::MouseMove, 7}}));
}

}  // namespace
}  // namespace platform
