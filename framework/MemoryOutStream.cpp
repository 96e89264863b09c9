#include "framework/MemoryOutStream.h"

#include <algorithm>
#include <limits>
#include <utility>

bool MemoryOutStream::Write(const void* buffer, std::size_t count) {
  bytes_.append(static_cast<const char*>(buffer), count);
  return true;
}

std::int32_t MemoryOutStream::BytesWritten() const {
  return static_cast<std::int32_t>(std::min<std::size_t>(bytes_.size(), std::numeric_limits<std::int32_t>::max()));
}

std::string MemoryOutStream::Take() { return std::exchange(bytes_, std::string()); }
