// The draw queues: their orders, drawing after the entry has left the heap
// (so drawers may push), and growth.
#include "render/YDrawQueue.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "render/YCamera.h"
#include "render/YDrawObj.h"

namespace {

using Items = std::vector<std::uintptr_t>;

// Records the items it draws and the queue's count at each draw.
class Recorder : public YDrawObj {
 public:
  void Draw(std::uintptr_t item) override {
    drawn.push_back(item);
    if (queue) countsSeen.push_back(queue->Count());
  }

  Items drawn;
  const YDrawQueue* queue = nullptr;
  std::vector<std::size_t> countsSeen;
};

// Pushes items 0..n-1 at their own distance.
void PushRange(YDrawQueue& queue, int n, YDrawObj* drawer) {
  for (int i = 0; i < n; ++i)
    queue.PushAtDistance(static_cast<std::uintptr_t>(i), static_cast<float>(i), drawer);
}

TEST(YDrawQueueOrder, QueueOneDrawsNearestFirstAndQueueTwoFarthestFirst) {
  const YVector3 r = GetCamera().ReferencePoint();
  Recorder one, two;
  for (const auto& [item, d] : {std::pair<std::uintptr_t, float>{9, 3}, {1, 1}, {4, 2}}) {
    YDrawQueue::Push1(item, YVector3(r.x, r.y, r.z + d), &one);
    YDrawQueue::Push2(item, YVector3(r.x, r.y, r.z + d), &two);
  }
  YDrawQueue::Flush1();
  YDrawQueue::Flush2();
  EXPECT_EQ(one.drawn, (Items{1, 4, 9}));
  EXPECT_EQ(two.drawn, (Items{9, 4, 1}));
  EXPECT_EQ(YDrawQueue::Queue1().Count(), 0u);
}

// Seen from the eye the board's near edge is the nearer one; from the
// reference point (behind the board) it is the farther one.
TEST(YDrawQueueOrder, DistanceIsMeasuredFromTheViewTranslationNotTheEye) {
  Recorder drawer;
  YDrawQueue::Push1(1, YVector3(0, -10, 0), &drawer);
  YDrawQueue::Push1(2, YVector3(0, 10, 0), &drawer);
  YDrawQueue::Flush1();
  EXPECT_EQ(drawer.drawn, (Items{2, 1}));
}

TEST(YDrawQueueFlush, DrawRunsAfterTheEntryLeftTheHeapAndNullDrawersAreSkipped) {
  YDrawQueue queue(YDrawQueue::Order::FarthestFirst);
  Recorder drawer;
  drawer.queue = &queue;
  PushRange(queue, 5, &drawer);
  queue.PushAtDistance(9, 9.0f, nullptr);
  queue.Flush();
  EXPECT_EQ(drawer.drawn, (Items{4, 3, 2, 1, 0}));
  EXPECT_EQ(drawer.countsSeen, (std::vector<std::size_t>{4, 3, 2, 1, 0}));
}

// Checks every draw against a model of the queue's contents (each drawn
// distance must be the smallest still queued) and pushes new entries from
// inside Draw, so a heap left inconsistent while drawers run shows up.
class PushingDrawer : public YDrawObj {
 public:
  explicit PushingDrawer(YDrawQueue& queue) : queue_(queue) {}

  void Push(std::uintptr_t distance) {
    model_.insert(distance);
    queue_.PushAtDistance(distance, static_cast<float>(distance), this);
  }
  void Draw(std::uintptr_t item) override {
    ASSERT_FALSE(model_.empty());
    EXPECT_EQ(item, *model_.begin());
    model_.erase(model_.begin());
    ++drawn;
    for (int i = 0; i < 3 && pushesLeft > 0; ++i, --pushesLeft) {
      state_ = state_ * 214013u + 2531011u;
      Push((state_ >> 16) % 1000);
    }
  }

  int drawn = 0;
  int pushesLeft = 400;  // forces growth mid-flush

 private:
  YDrawQueue& queue_;
  std::multiset<std::uintptr_t> model_;
  std::uint32_t state_ = 7;
};

TEST(YDrawQueueFlush, DrawersMayPushWhileTheQueueFlushes) {
  YDrawQueue queue(YDrawQueue::Order::NearestFirst);
  PushingDrawer drawer(queue);
  for (std::uintptr_t d : {50u, 10u, 70u, 30u, 90u, 20u, 80u}) drawer.Push(d);
  queue.Flush();
  EXPECT_EQ(drawer.drawn, 407);
  EXPECT_EQ(queue.Count(), 0u);
}

TEST(YDrawQueueGrowth, GrowsByHalfOneShortOfCapacityAndKeepsItsStorage) {
  YDrawQueue queue(YDrawQueue::Order::NearestFirst);
  Recorder drawer;
  std::vector<std::size_t> capacityAfterPush;
  for (int i = 1; i <= 150; ++i) {
    queue.PushAtDistance(static_cast<std::uintptr_t>(i), static_cast<float>(i), &drawer);
    capacityAfterPush.push_back(queue.Capacity());
  }
  EXPECT_EQ(capacityAfterPush[98], 100u);   // push 99
  EXPECT_EQ(capacityAfterPush[99], 150u);   // push 100 (count 99 before it)
  EXPECT_EQ(capacityAfterPush[148], 150u);  // push 149
  EXPECT_EQ(capacityAfterPush[149], 225u);  // push 150
  queue.Flush();
  EXPECT_EQ(drawer.drawn.size(), 150u);
  EXPECT_EQ(queue.Capacity(), 225u);
}

TEST(YDrawQueueGrowth, TinyCapacitiesGrowAndGrowNeverDropsEntries) {
  for (std::size_t capacity : {0u, 1u, 2u}) {
    YDrawQueue queue(YDrawQueue::Order::FarthestFirst, capacity);
    Recorder drawer;
    PushRange(queue, 20, &drawer);
    queue.Flush();
    ASSERT_EQ(drawer.drawn.size(), 20u) << capacity;
    EXPECT_EQ(drawer.drawn.front(), 19u);
  }
  YDrawQueue queue(YDrawQueue::Order::NearestFirst);
  Recorder drawer;
  PushRange(queue, 50, &drawer);
  queue.Grow(10);
  EXPECT_GT(queue.Capacity(), 50u);
  queue.Flush();
  ASSERT_EQ(drawer.drawn.size(), 50u);
  EXPECT_EQ(drawer.drawn.back(), 49u);
}

}  // namespace
