// The message queue without a display: order, quit, dispatch and dropping a
// window's messages.
#include "platform/MessageQueue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace platform {
namespace {

class MessageQueueTest : public ::testing::Test {
 protected:
  void SetUp() override { Drain(); }
  void TearDown() override { Drain(); }
  static std::vector<Message> Drain() {
    std::vector<Message> taken;
    Message m;
    while (PeekMessage(m)) taken.push_back(m);
    return taken;
  }
};

TEST_F(MessageQueueTest, MessagesComeOutInPostingOrder) {
  PostMessage({nullptr, msg::KeyDown, 'A', 0});
  PostMessage({nullptr, msg::Char, 'a', 0});
  PostQuitMessage(3);
  const auto taken = Drain();
  ASSERT_EQ(taken.size(), 3u);
  EXPECT_EQ(taken[0].message, msg::KeyDown);
  EXPECT_EQ(taken[1].message, msg::Char);
  EXPECT_EQ(taken[2].message, msg::Quit);
  EXPECT_EQ(taken[2].wParam, 3u);
  EXPECT_EQ(taken[2].window, nullptr);
}

TEST_F(MessageQueueTest, AGoneWindowsMessagesAreDiscarded) {
  // Only the pointer is compared, so a stand-in address serves as the window.
  alignas(8) char standIn[8];
  auto* gone = reinterpret_cast<Window*>(standIn);
  PostMessage({gone, msg::Paint, 0, 0});
  PostQuitMessage(0);
  PostMessage({gone, msg::Size, 0, 0});
  DiscardMessagesFor(gone);
  const auto taken = Drain();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].message, msg::Quit);
}

TEST_F(MessageQueueTest, OtherThreadsMayPost) {
  std::vector<std::thread> posters;
  for (int t = 0; t < 4; ++t)
    posters.emplace_back([] {
      for (int i = 0; i < 250; ++i) PostMessage({nullptr, msg::Paint, 0, 0});
    });
  for (auto& poster : posters) poster.join();
  EXPECT_EQ(Drain().size(), 1000u);
}

}  // namespace
}  // namespace platform
