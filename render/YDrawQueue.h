// Depth-sorted draw queues: entries pushed during a frame are drawn together
// when the queue is flushed, ordered by their squared distance from the
// camera's reference point (the translation of its view). Queue 1 draws the
// smallest distance first, queue 2 the largest. Main thread only; entries
// must be flushed in the frame that pushed them, as items and drawers are
// plain pointers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/YVector3.h"

class YDrawObj;

class YDrawQueue {
 public:
  enum class Order { NearestFirst, FarthestFirst };

  // Empty, with room for `capacity` entries before the first growth.
  explicit YDrawQueue(Order order, std::size_t capacity = kInitialCapacity);

  // The two global queues (created on first use): queue 1 nearest first,
  // queue 2 farthest first. The drawer is not owned and must outlive the
  // next flush.
  static void Push1(std::uintptr_t item, const YVector3& position, YDrawObj* drawer);
  static void Push2(std::uintptr_t item, const YVector3& position, YDrawObj* drawer);
  static void Flush1();
  static void Flush2();
  static void Grow1(std::size_t capacity);
  static void Grow2(std::size_t capacity);
  static YDrawQueue& Queue1();
  static YDrawQueue& Queue2();

  // Queues the item at its squared distance from the camera's reference
  // point. Grows by half when the queue is one short of its capacity.
  void Push(std::uintptr_t item, const YVector3& position, YDrawObj* drawer);
  // The same with the squared distance given.
  void PushAtDistance(std::uintptr_t item, float squaredDistance, YDrawObj* drawer);
  // Removes the entries in heap order, calling each drawer once its entry
  // is out and the heap is consistent again. Entries pushed by a drawer are
  // drawn by the same flush. A null drawer is skipped.
  void Flush();
  // Sets the capacity; never below what the entries held need.
  void Grow(std::size_t capacity);

  std::size_t Count() const { return count_; }
  std::size_t Capacity() const { return capacity_; }

  static constexpr std::size_t kInitialCapacity = 100;

 private:
  struct Entry {
    std::uintptr_t item = 0;
    float distance = 0;
    YDrawObj* drawer = nullptr;
  };

  // Whether a is drawn before b.
  bool Before(const Entry& a, const Entry& b) const;
  void SiftUp(std::size_t i);
  void SiftDown(std::size_t parent);

  Order order_;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
  std::vector<Entry> heap_;  // capacity + 1 entries; the heap is 1..count
};
