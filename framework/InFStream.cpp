#include "framework/InFStream.h"

#include <sys/types.h>

#include <algorithm>
#include <cstdio>
#include <limits>

InFStream::InFStream(std::string_view name) : file_(platform::OpenRegularFile(name)) {
  if (!file_ || fseeko(file_.get(), 0, SEEK_END) != 0) {
    failed_ = true;
    return;
  }
  const off_t end = ftello(file_.get());
  if (end < 0 || fseeko(file_.get(), 0, SEEK_SET) != 0) {
    failed_ = true;
    return;
  }
  size_ = end;
}

std::size_t InFStream::Read(void* buffer, std::size_t count) {
  if (failed_ || count == 0) return 0;
  const std::size_t got = std::fread(buffer, 1, count, file_.get());
  position_ += static_cast<std::int64_t>(got);
  if (got < count) failed_ = true;
  return got;
}

void InFStream::Seek(std::size_t count) {
  if (failed_) return;
  const auto left = static_cast<std::uint64_t>(size_ - position_);
  const auto step = static_cast<off_t>(std::min<std::uint64_t>(count, left));
  if (fseeko(file_.get(), step, SEEK_CUR) != 0) {
    failed_ = true;
    return;
  }
  position_ += step;
}

std::int32_t InFStream::BytesLeft() const {
  if (failed_) return 0;
  const std::int64_t left = size_ - position_;
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(left, 0, std::numeric_limits<std::int32_t>::max()));
}
