// Byte output for the binary data files: written to a file by OutFStream
// (optionally by safe replacement), enciphered by OutCryptStream, encoded
// from strings and integers by StreamHelpers.
#pragma once

#include <cstddef>
#include <cstdint>

class OutStream {
 public:
  virtual ~OutStream() = default;

  // Passes `count` bytes on. False when the stream has failed, in which case
  // the bytes are dropped.
  virtual bool Write(const void* buffer, std::size_t count) = 0;
  // Bytes passed on so far, or -1 when the stream does not count them (the
  // file streams do not).
  virtual std::int32_t BytesWritten() const { return -1; }
  // Hands on whatever the stream holds back; the file streams hold nothing
  // back that Close does not write.
  virtual void Flush() {}
  // True after a failed open or write; it stays true.
  virtual bool Failed() const = 0;
};
