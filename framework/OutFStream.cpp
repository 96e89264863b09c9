#include "framework/OutFStream.h"

#include <cerrno>
#include <cstdio>
#include <utility>

#include "framework/Log.h"
#include "platform/Paths.h"

namespace {

OutFStream::WriteFault& Fault() {
  static OutFStream::WriteFault fault;
  return fault;
}

}  // namespace

OutFStream::OutFStream(std::string_view name, bool safe)
    : safe_(safe), writeName_(std::string(name) + (safe ? ".tmp" : "")), targetName_(name) {
  bool notRegular = false;
  file_ = platform::OpenRegularForWriting(writeName_, &notRegular);
  opened_ = file_ != nullptr;
  if (!opened_) failed_ = true;
  if (notRegular) {
    const int error = errno;  // the caller may still report the reason
    Log::Printf("Not a regular file, not written: %s", platform::MapPath(writeName_).c_str());
    errno = error;
  }
}

OutFStream::~OutFStream() {
  Close();
}

bool OutFStream::Write(const void* buffer, std::size_t count) {
  if (failed_ || closed_) return false;
  if (count == 0) return true;
  if (Fault() && Fault()(writeName_)) {
    errno = ENOSPC;
    failed_ = true;
  } else if (std::fwrite(buffer, 1, count, file_.get()) != count) {
    failed_ = true;
  }
  return !failed_;
}

void OutFStream::SetWriteFault(WriteFault fault) { Fault() = std::move(fault); }

bool OutFStream::Close() {
  if (closed_) return closeResult_;
  closed_ = true;
  if (file_ != nullptr) {
    const bool flushed = std::fflush(file_.get()) == 0;
    if (std::fclose(file_.release()) != 0 || !flushed) failed_ = true;
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
