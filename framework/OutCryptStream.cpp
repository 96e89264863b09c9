#include "framework/OutCryptStream.h"

#include <cstring>

OutCryptStream::OutCryptStream(OutStream& inner, std::string_view key) : inner_(inner), key_(key) {}

bool OutCryptStream::Write(const void* buffer, std::size_t count) {
  if (key_.empty() || count == 0) return inner_.Write(buffer, count);
  if (scratch_.size() < count) scratch_.resize(count);
  std::memcpy(scratch_.data(), buffer, count);
  for (std::size_t i = 0; i < count; ++i) {
    scratch_[i] ^= static_cast<unsigned char>(key_[position_]);
    if (++position_ == key_.size()) position_ = 0;
  }
  return inner_.Write(scratch_.data(), count);
}
