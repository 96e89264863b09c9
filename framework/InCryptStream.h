// Deciphers another InStream by XOR with a repeating key. The key position
// carries on from one Read to the next, so reads of any sizes give the same
// bytes as one read of the whole; OutCryptStream with the same key enciphers.
#pragma once

#include <string>
#include <string_view>

#include "framework/InStream.h"

class InCryptStream : public InStream {
 public:
  // `inner` is not owned and must outlive this stream. The key is copied; an
  // empty key passes bytes through unchanged.
  InCryptStream(InStream& inner, std::string_view key);

  // Reads from the inner stream and deciphers the bytes it copied.
  std::size_t Read(void* buffer, std::size_t count) override;
  // Passed to the inner stream. Skipped bytes do not advance the key, as the
  // writer never skips: callers that must stay in step read instead.
  void Seek(std::size_t count) override { inner_.Seek(count); }
  std::int32_t BytesLeft() const override { return inner_.BytesLeft(); }
  bool Failed() const override { return inner_.Failed(); }
  void SetFailed() override { inner_.SetFailed(); }

 private:
  InStream& inner_;
  std::string key_;
  std::size_t position_ = 0;  // index into key_ of the next byte's key
};
