// An output file opened for writing bytes, closed by its destructor; the
// generators report a file that could not be written completely.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

class BinaryFile {
 public:
  // Opens (creating or truncating) the file; Ok() tells whether it worked.
  explicit BinaryFile(const std::string& path);

  bool Ok() const { return file_ != nullptr && ok_; }
  void Write(std::span<const std::uint8_t> bytes);
  void WriteU16(std::uint16_t v);
  void WriteU32(std::uint32_t v);
  void WriteTag(const char (&fourCc)[5]);
  // Flushes and closes; true when every write and the close succeeded.
  bool Close();

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  bool ok_ = true;
};
