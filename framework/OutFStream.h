// An OutStream over a binary file, written in place or by safe replacement:
// in safe mode the bytes go to the name with ".tmp" appended, and only a
// complete file is moved over the target, so the old file stays whole when
// anything goes wrong.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "framework/OutStream.h"
#include "platform/FileSystem.h"

class OutFStream : public OutStream {
 public:
  // Opens `name` (a data name), or `name` + ".tmp" when `safe`, for binary
  // writing with truncation. A file that cannot be opened gives a failed
  // stream that drops every write; so does anything in the way that is not a
  // regular file (a named pipe, a device, a folder), which is left as it is
  // and logged as "Not a regular file, not written: %s".
  OutFStream(std::string_view name, bool safe);
  // Closes the file as Close does.
  ~OutFStream() override;
  OutFStream(const OutFStream&) = delete;
  OutFStream& operator=(const OutFStream&) = delete;

  bool Write(const void* buffer, std::size_t count) override;
  bool Failed() const override { return failed_; }

  // Flushes and closes the file. In safe mode the ".tmp" file then replaces
  // the target, but only when the open, every write, the flush and the close
  // succeeded; otherwise the target is left untouched and a ".tmp" file this
  // stream created is removed. True when all bytes written reached the file named at
  // construction. Later calls return the same result.
  bool Close();

  // A seam for tests: every write to a file whose name (the one written to,
  // with ".tmp" when safe) `fails` accepts fails as on a full disk, with
  // errno ENOSPC. An empty function ends it. Main thread only.
  using WriteFault = std::function<bool(std::string_view writeName)>;
  static void SetWriteFault(WriteFault fault);

 private:
  platform::FilePtr file_;
  bool safe_;
  std::string writeName_;  // the name written to: the target, plus ".tmp" when safe
  std::string targetName_;
  bool opened_ = false;
  bool failed_ = false;
  bool closed_ = false;
  bool closeResult_ = false;
};
