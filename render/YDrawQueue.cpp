#include "render/YDrawQueue.h"

#include <algorithm>
#include <utility>

#include "render/YCamera.h"
#include "render/YDrawObj.h"

YDrawQueue::YDrawQueue(Order order, std::size_t capacity) : order_(order) {
  Grow(capacity);
}

// ---- The two global queues -------------------------------------------------

YDrawQueue& YDrawQueue::Queue1() {
  static YDrawQueue queue(Order::NearestFirst);
  return queue;
}

YDrawQueue& YDrawQueue::Queue2() {
  static YDrawQueue queue(Order::FarthestFirst);
  return queue;
}

void YDrawQueue::Push1(std::uintptr_t item, const YVector3& position, YDrawObj* drawer) {
  Queue1().Push(item, position, drawer);
}

void YDrawQueue::Push2(std::uintptr_t item, const YVector3& position, YDrawObj* drawer) {
  Queue2().Push(item, position, drawer);
}

void YDrawQueue::Flush1() {
  Queue1().Flush();
}

void YDrawQueue::Flush2() {
  Queue2().Flush();
}

void YDrawQueue::Grow1(std::size_t capacity) {
  Queue1().Grow(capacity);
}

void YDrawQueue::Grow2(std::size_t capacity) {
  Queue2().Grow(capacity);
}

// ---- One queue -------------------------------------------------------------

void YDrawQueue::Push(std::uintptr_t item, const YVector3& position, YDrawObj* drawer) {
  const YVector3 r = GetCamera().ReferencePoint();
  const float dy = position.y - r.y;
  const float dz = position.z - r.z;
  const float dx = position.x - r.x;
  PushAtDistance(item, dy * dy + dz * dz + dx * dx, drawer);
}

void YDrawQueue::PushAtDistance(std::uintptr_t item, float squaredDistance, YDrawObj* drawer) {
  if (count_ + 1 >= capacity_) Grow(capacity_ + capacity_ / 2);
  ++count_;
  heap_[count_] = Entry{item, squaredDistance, drawer};
  SiftUp(count_);
}

void YDrawQueue::Flush() {
  while (count_ > 0) {
    const Entry taken = heap_[1];
    heap_[1] = heap_[count_];
    --count_;
    SiftDown(1);
    if (taken.drawer) taken.drawer->Draw(taken.item);
  }
}

void YDrawQueue::Grow(std::size_t capacity) {
  // Room for the entries held and the one about to be pushed.
  capacity_ = std::max(capacity, count_ + 2);
  heap_.resize(capacity_ + 1);
}

bool YDrawQueue::Before(const Entry& a, const Entry& b) const {
  return order_ == Order::NearestFirst ? a.distance < b.distance : a.distance > b.distance;
}

void YDrawQueue::SiftUp(std::size_t i) {
  while (i > 1 && Before(heap_[i], heap_[i / 2])) {
    std::swap(heap_[i], heap_[i / 2]);
    i /= 2;
  }
}

void YDrawQueue::SiftDown(std::size_t parent) {
  for (std::size_t child = 2 * parent; child <= count_; child = 2 * parent) {
    if (child + 1 <= count_ && Before(heap_[child + 1], heap_[child])) ++child;
    if (!Before(heap_[child], heap_[parent])) return;
    std::swap(heap_[child], heap_[parent]);
    parent = child;
  }
}
