#include "framework/OutFStream.h"

#include <algorithm>
#include <limits>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

OutFStream::OutFStream(std::string_view name, bool safe)
    : safe_(safe), writeName_(std::string(name) + (safe ? ".tmp" : "")), targetName_(name) {
  file_.open(platform::MapPath(writeName_), std::ios::out | std::ios::trunc | std::ios::binary);
  opened_ = file_.is_open();
  if (!opened_) failed_ = true;
}

OutFStream::~OutFStream() {
  Close();
}

bool OutFStream::Write(const void* buffer, std::size_t count) {
  if (failed_ || closed_) return false;
  const auto* bytes = static_cast<const char*>(buffer);
  constexpr auto kMaxChunk = static_cast<std::size_t>(std::numeric_limits<std::streamsize>::max());
  while (count > 0) {
    const std::size_t chunk = std::min(count, kMaxChunk);
    file_.write(bytes, static_cast<std::streamsize>(chunk));
    if (!file_) {
      failed_ = true;
      return false;
    }
    bytes += chunk;
    count -= chunk;
  }
  return true;
}

bool OutFStream::Close() {
  if (closed_) return closeResult_;
  closed_ = true;
  if (file_.is_open()) {
    file_.flush();
    file_.close();
    if (file_.fail()) failed_ = true;
  }
  bool ok = !failed_;
  if (safe_) {
    if (ok) ok = platform::MoveReplace(writeName_, targetName_);
    // A ".tmp" we could not open may be something else's: leave it alone.
    if (!ok && opened_) platform::RemoveFile(writeName_);
  }
  closeResult_ = ok;
  return ok;
}
