// Byte output into memory: a message or a save built before it is sent or
// written, a test's expected bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/OutStream.h"

class MemoryOutStream : public OutStream {
 public:
  bool Write(const void* buffer, std::size_t count) override;
  std::int32_t BytesWritten() const override;
  bool Failed() const override { return false; }

  const std::string& Bytes() const { return bytes_; }
  // Hands the bytes over and starts empty again.
  std::string Take();
  void Reserve(std::size_t count) { bytes_.reserve(count); }

 private:
  std::string bytes_;
};
