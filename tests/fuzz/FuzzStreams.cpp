// Arbitrary bytes as a binary data file, read as a sequence of records
// chosen by the bytes themselves: strings into small buffers and string
// objects, integers, floats, raw reads and skips, once plainly and once
// through the decipherer. Buffers are guarded on both sides; the bytes left
// may never grow.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/InCryptStream.h"
#include "framework/InFStream.h"
#include "framework/StreamHelpers.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

std::string g_path;

void ReadOneRecord(InStream& in, unsigned op) {
  constexpr std::size_t kGuard = 8;
  char guarded[kGuard + 32 + kGuard];
  std::memset(guarded, 0x5A, sizeof guarded);
  char* buffer = guarded + kGuard;
  std::string text;
  std::int32_t i = 0;
  float f = 0;
  switch (op % 6) {
    case 0:
      ReadString(in, buffer, 1 + (op >> 3) % 32);
      break;
    case 1:
      ReadString(in, text);
      break;
    case 2:
      ReadInt(in, i);
      break;
    case 3:
      ReadFloat(in, f);
      break;
    case 4:
      in.Seek((op >> 3) % 16);
      break;
    default:
      in.Read(buffer, (op >> 3) % 33);
      break;
  }
  for (std::size_t k = 0; k < kGuard; ++k) {
    if (guarded[k] != 0x5A || guarded[sizeof guarded - 1 - k] != 0x5A) std::abort();
  }
}

void ReadAll(InStream& in) {
  std::int32_t left = in.BytesLeft();
  for (int step = 0; step < 4096 && !in.Failed() && left > 0; ++step) {
    unsigned char op = 0;
    if (in.Read(&op, 1) != 1) break;
    ReadOneRecord(in, op);
    const std::int32_t now = in.BytesLeft();
    if (now < 0 || now >= left) std::abort();
    left = now;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_path = (fuzz::ScratchFolder() / "streams.dat").string();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteBytes(g_path, data, size);
  {
    InFStream in(g_path);
    if (in.BytesLeft() != static_cast<std::int32_t>(size)) std::abort();
    ReadAll(in);
  }
  {
    InFStream file_in(g_path);
    InCryptStream in(file_in, "fuzz key");
    ReadAll(in);
  }
  return 0;
}
