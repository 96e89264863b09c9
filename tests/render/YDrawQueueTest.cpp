#include "render/YDrawQueue.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "render/YCamera.h"
#include "render/YDrawObj.h"

namespace {

// Records the items it draws; optionally checks the queue it is drawn from.
class Recorder : public YDrawObj {
 public:
  void Draw(std::uintptr_t item) override {
    drawn.push_back(item);
    if (queue) countsSeen.push_back(queue->Count());
  }

  std::vector<std::uintptr_t> drawn;
  const YDrawQueue* queue = nullptr;
  std::vector<std::size_t> countsSeen;
};

// A point at distance d from the camera's reference point.
YVector3 AtDistance(float d) {
  const YVector3 r = GetCamera().ReferencePoint();
  return YVector3(r.x, r.y, r.z + d);
}

// ---- Orders ------------------------------------------------------------------

TEST(YDrawQueueOrder, QueueOneDrawsNearestFirst) {
  Recorder drawer;
  YDrawQueue::Push1(9, AtDistance(3), &drawer);
  YDrawQueue::Push1(1, AtDistance(1), &drawer);
  YDrawQueue::Push1(4, AtDistance(2), &drawer);
  YDrawQueue::Flush1();
  EXPECT_EQ(drawer.drawn, (std::vector<std::uintptr_t>{1, 4, 9}));
  EXPECT_EQ(YDrawQueue::Queue1().Count(), 0u);
}

TEST(YDrawQueueOrder, QueueTwoDrawsFarthestFirst) {
  Recorder drawer;
  YDrawQueue::Push2(9, AtDistance(3), &drawer);
  YDrawQueue::Push2(1, AtDistance(1), &drawer);
  YDrawQueue::Push2(4, AtDistance(2), &drawer);
  YDrawQueue::Flush2();
  EXPECT_EQ(drawer.drawn, (std::vector<std::uintptr_t>{9, 4, 1}));
}

TEST(YDrawQueueOrder, DistanceIsMeasuredFromTheViewTranslationNotTheEye) {
  // Seen from the eye the board's near edge is the nearer one; from the
  // reference point (behind the board) it is the farther one.
  Recorder drawer;
  YDrawQueue::Push1(1, YVector3(0, -10, 0), &drawer);  // near edge, towards the eye
  YDrawQueue::Push1(2, YVector3(0, 10, 0), &drawer);   // far edge
  YDrawQueue::Flush1();
  EXPECT_EQ(drawer.drawn, (std::vector<std::uintptr_t>{2, 1}));
}

TEST(YDrawQueueOrder, ManyEntriesComeOutSorted) {
  for (const auto order : {YDrawQueue::Order::NearestFirst, YDrawQueue::Order::FarthestFirst}) {
    YDrawQueue queue(order);
    Recorder drawer;
    std::uint32_t state = 12345;
    for (int i = 0; i < 500; ++i) {
      state = state * 214013u + 2531011u;
      const std::uintptr_t d = (state >> 16) % 1000;  // ties included
      queue.PushAtDistance(d, static_cast<float>(d), &drawer);
    }
    queue.Flush();
    ASSERT_EQ(drawer.drawn.size(), 500u);
    const bool nearestFirst = order == YDrawQueue::Order::NearestFirst;
    for (std::size_t i = 1; i < drawer.drawn.size(); ++i) {
      if (nearestFirst)
        EXPECT_LE(drawer.drawn[i - 1], drawer.drawn[i]);
      else
        EXPECT_GE(drawer.drawn[i - 1], drawer.drawn[i]);
    }
  }
}

// ---- Flushing ------------------------------------------------------------------

TEST(YDrawQueueFlush, EmptyQueueDrawsNothing) {
  YDrawQueue queue(YDrawQueue::Order::NearestFirst);
  queue.Flush();
  YDrawQueue::Flush1();
  YDrawQueue::Flush2();
  EXPECT_EQ(queue.Count(), 0u);
}

TEST(YDrawQueueFlush, DrawRunsAfterTheEntryLeftTheHeap) {
  YDrawQueue queue(YDrawQueue::Order::FarthestFirst);
  Recorder drawer;
  drawer.queue = &queue;
  for (int d = 1; d <= 5; ++d) queue.PushAtDistance(static_cast<std::uintptr_t>(d), static_cast<float>(d), &drawer);
  queue.Flush();
  EXPECT_EQ(drawer.drawn, (std::vector<std::uintptr_t>{5, 4, 3, 2, 1}));
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

TEST(YDrawQueueFlush, NullDrawerIsSkipped) {
  YDrawQueue queue(YDrawQueue::Order::NearestFirst);
  Recorder drawer;
  queue.PushAtDistance(1, 1.0f, nullptr);
  queue.PushAtDistance(2, 2.0f, &drawer);
  queue.Flush();
  EXPECT_EQ(drawer.drawn, (std::vector<std::uintptr_t>{2}));
}

// ---- Growth --------------------------------------------------------------------

TEST(YDrawQueueGrowth, GrowsByHalfOneShortOfCapacity) {
  YDrawQueue queue(YDrawQueue::Order::NearestFirst);
  Recorder drawer;
  EXPECT_EQ(queue.Capacity(), 100u);
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
  EXPECT_EQ(queue.Capacity(), 225u);  // storage is kept for the next frame
}

TEST(YDrawQueueGrowth, TinyCapacitiesStillGrow) {
  for (std::size_t capacity : {0u, 1u, 2u, 3u}) {
    YDrawQueue queue(YDrawQueue::Order::FarthestFirst, capacity);
    Recorder drawer;
    for (int i = 0; i < 20; ++i) queue.PushAtDistance(static_cast<std::uintptr_t>(i), static_cast<float>(i), &drawer);
    EXPECT_GT(queue.Capacity(), queue.Count());
    queue.Flush();
    EXPECT_EQ(drawer.drawn.size(), 20u) << capacity;
    EXPECT_EQ(drawer.drawn.front(), 19u);
  }
}

TEST(YDrawQueueGrowth, GrowNeverDropsHeldEntries) {
  YDrawQueue queue(YDrawQueue::Order::NearestFirst);
  Recorder drawer;
  for (int i = 0; i < 50; ++i) queue.PushAtDistance(static_cast<std::uintptr_t>(i), static_cast<float>(i), &drawer);
  queue.Grow(10);
  EXPECT_GT(queue.Capacity(), 50u);
  queue.Grow(400);
  EXPECT_EQ(queue.Capacity(), 400u);
  queue.Flush();
  ASSERT_EQ(drawer.drawn.size(), 50u);
  EXPECT_EQ(drawer.drawn.front(), 0u);
  EXPECT_EQ(drawer.drawn.back(), 49u);
}

}  // namespace
