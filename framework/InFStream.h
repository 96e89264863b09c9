// An InStream over a binary file. The size is measured when the file is
// opened; a file that cannot be opened, or that is not a regular file (a
// folder, a named pipe, a device), gives a failed stream with 0 bytes left,
// which is how callers notice a missing or empty file.
#pragma once

#include <string_view>

#include "framework/InStream.h"
#include "platform/FileSystem.h"

class InFStream : public InStream {
 public:
  // `name` is a data name ("fonts\sys.dat"), mapped before opening.
  explicit InFStream(std::string_view name);
  InFStream(const InFStream&) = delete;
  InFStream& operator=(const InFStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  void Seek(std::size_t count) override;
  // Size minus position, held at the int32 maximum for larger files.
  std::int32_t BytesLeft() const override;
  bool Failed() const override { return failed_; }
  void SetFailed() override { failed_ = true; }

  // The size measured at opening; -1 when the file could not be opened.
  std::int64_t Size() const { return size_; }

 private:
  platform::FilePtr file_;
  std::int64_t size_ = -1;
  std::int64_t position_ = 0;
  bool failed_ = false;
};
