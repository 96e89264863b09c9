// Helpers of the fuzz targets that hand their input to a reader of files:
// one scratch folder per fuzzing process, in memory where the system has a
// memory file system (so writing a file per input costs little), removed
// when the process ends.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace fuzz {

// The process's scratch folder, made on first use. Kept on the heap and
// never freed, so it outlives the exit handler that removes it.
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path* const folder = [] {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : "/tmp";
    auto* made = new std::filesystem::path(base / ("qv_fuzz_" + std::to_string(::getpid())));
    std::filesystem::create_directories(*made, ec);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchFolder(), ignored);
    });
    return made;
  }();
  return *folder;
}

// Writes the bytes as the whole file `path`.
inline void WriteBytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

inline std::string AsText(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// The fuzz bytes read one at a time as a script of choices; past the end
// every choice is 0.
struct Script {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at = 0;
  std::uint8_t Next() { return at < size ? data[at++] : 0; }
  bool Done() const { return at >= size; }
};

}  // namespace fuzz
