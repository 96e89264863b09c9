// Byte input for the binary data files (glyph tables, compiled meshes and
// layouts, the hall of fame): read from a file by InFStream, deciphered by
// InCryptStream, decoded into strings and integers by StreamHelpers.
#pragma once

#include <cstddef>
#include <cstdint>

class InStream {
 public:
  virtual ~InStream() = default;

  // Copies up to `count` bytes into `buffer` and returns how many were
  // copied. Copying fewer leaves the stream failed and the rest of the buffer
  // untouched; a failed stream copies nothing.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  // Moves the read position forward by `count` bytes, or to the end.
  virtual void Seek(std::size_t count) = 0;
  // Bytes still to read: 0 for a failed stream (so a missing file reads as
  // empty), -1 when the stream cannot tell.
  virtual std::int32_t BytesLeft() const { return -1; }
  // True after a failed open, a short read or a bad record; it stays true.
  virtual bool Failed() const = 0;
  // Marks the stream failed: a reader met a record it cannot trust, so
  // nothing after it is read.
  virtual void SetFailed() = 0;
};
