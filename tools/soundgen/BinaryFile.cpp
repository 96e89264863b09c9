#include "tools/soundgen/BinaryFile.h"

#include <array>

BinaryFile::BinaryFile(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}

void BinaryFile::Write(std::span<const std::uint8_t> bytes) {
  if (!file_ || bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) ok_ = false;
}

void BinaryFile::WriteU16(std::uint16_t v) {
  const std::array<std::uint8_t, 2> b{static_cast<std::uint8_t>(v & 0xFFU),
                                      static_cast<std::uint8_t>(v >> 8U)};
  Write(b);
}

void BinaryFile::WriteU32(std::uint32_t v) {
  WriteU16(static_cast<std::uint16_t>(v & 0xFFFFU));
  WriteU16(static_cast<std::uint16_t>(v >> 16U));
}

void BinaryFile::WriteTag(const char (&fourCc)[5]) {
  const std::array<std::uint8_t, 4> b{
      static_cast<std::uint8_t>(fourCc[0]), static_cast<std::uint8_t>(fourCc[1]),
      static_cast<std::uint8_t>(fourCc[2]), static_cast<std::uint8_t>(fourCc[3])};
  Write(b);
}

bool BinaryFile::Close() {
  if (!file_) return false;
  const bool closed = std::fclose(file_.release()) == 0;
  return ok_ && closed;
}
