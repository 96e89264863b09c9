// Enciphers bytes for another OutStream by XOR with a repeating key; the
// counterpart of InCryptStream. Nothing is held back between writes: each
// Write passes its bytes on at once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/OutStream.h"

class OutCryptStream : public OutStream {
 public:
  // `inner` is not owned and must outlive this stream. The key is copied; an
  // empty key passes bytes through unchanged.
  OutCryptStream(OutStream& inner, std::string_view key);

  // Enciphers into a scratch buffer and writes it to the inner stream; the
  // caller's buffer is left as it was.
  bool Write(const void* buffer, std::size_t count) override;
  std::int32_t BytesWritten() const override { return inner_.BytesWritten(); }
  void Flush() override { inner_.Flush(); }
  bool Failed() const override { return inner_.Failed(); }

 private:
  OutStream& inner_;
  std::vector<unsigned char> scratch_;
  std::string key_;
  std::size_t position_ = 0;  // index into key_ of the next byte's key
};
