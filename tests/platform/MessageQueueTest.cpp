// The message queue without a display: order, quit, a gone window's messages.
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

}  // namespace
}  // namespace platform
