#include "framework/InFStream.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

#include "platform/Paths.h"

InFStream::InFStream(std::string_view name) {
  const std::string path = platform::MapPath(name);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    failed_ = true;
    return;
  }
  file_.open(path, std::ios::in | std::ios::binary);
  file_.seekg(0, std::ios::end);
  const std::streamoff end = file_.tellg();
  file_.seekg(0, std::ios::beg);
  if (!file_ || end < 0) {
    failed_ = true;
    return;
  }
  size_ = end;
}

std::size_t InFStream::Read(void* buffer, std::size_t count) {
  if (failed_ || count == 0) return 0;
  const auto wanted = static_cast<std::streamsize>(
      std::min<std::size_t>(count, static_cast<std::size_t>(std::numeric_limits<std::streamsize>::max())));
  file_.read(static_cast<char*>(buffer), wanted);
  const std::streamsize got = file_.gcount();
  position_ += got;
  if (static_cast<std::size_t>(got) < count) failed_ = true;
  return static_cast<std::size_t>(got);
}

void InFStream::Seek(std::size_t count) {
  if (failed_) return;
  const auto left = static_cast<std::uint64_t>(size_ - position_);
  const auto step = static_cast<std::streamoff>(std::min<std::uint64_t>(count, left));
  file_.seekg(step, std::ios::cur);
  if (!file_) {
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
