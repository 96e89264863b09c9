#include "framework/MemoryInStream.h"

#include <algorithm>
#include <limits>
#include <utility>

MemoryInStream::MemoryInStream(std::string bytes, bool sized) : bytes_(std::move(bytes)), sized_(sized) {}

std::size_t MemoryInStream::Read(void* buffer, std::size_t count) {
  const std::size_t got = failed_ ? 0 : bytes_.copy(static_cast<char*>(buffer), count, at_);
  at_ += got;
  failed_ = failed_ || got < count;
  return got;
}

void MemoryInStream::Seek(std::size_t count) { at_ += std::min(count, bytes_.size() - at_); }

std::int32_t MemoryInStream::BytesLeft() const {
  if (!sized_) return -1;
  if (failed_) return 0;
  const std::size_t left = bytes_.size() - at_;
  return static_cast<std::int32_t>(std::min<std::size_t>(left, std::numeric_limits<std::int32_t>::max()));
}
