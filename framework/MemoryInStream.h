// Byte input from memory: a network message, a save held in memory, a test's
// bytes. Behaves like the file stream: short reads fail the stream and copy
// only what is there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/InStream.h"

class MemoryInStream : public InStream {
 public:
  // Takes the bytes. A stream that is not `sized` answers -1 to BytesLeft,
  // like a stream that cannot tell (for readers that must cope with both).
  explicit MemoryInStream(std::string bytes, bool sized = true);

  std::size_t Read(void* buffer, std::size_t count) override;
  void Seek(std::size_t count) override;
  std::int32_t BytesLeft() const override;
  bool Failed() const override { return failed_; }
  void SetFailed() override { failed_ = true; }

 private:
  std::string bytes_;
  std::size_t at_ = 0;
  bool sized_;
  bool failed_ = false;
};
