#include "framework/InCryptStream.h"

InCryptStream::InCryptStream(InStream& inner, std::string_view key) : inner_(inner), key_(key) {}

std::size_t InCryptStream::Read(void* buffer, std::size_t count) {
  const std::size_t got = inner_.Read(buffer, count);
  if (key_.empty()) return got;
  auto* bytes = static_cast<unsigned char*>(buffer);
  for (std::size_t i = 0; i < got; ++i) {
    bytes[i] ^= static_cast<unsigned char>(key_[position_]);
    if (++position_ == key_.size()) position_ = 0;
  }
  return got;
}
