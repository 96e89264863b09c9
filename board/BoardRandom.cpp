#include "board/BoardRandom.h"

#include "platform/Random.h"

int BoardRandom::Next() {
  state_ = state_ * 214013u + 2531011u;
  return static_cast<int>((state_ >> 16) & 0x7fffu);
}

int ThreadRandom::Next() {
  return platform::Random();
}
