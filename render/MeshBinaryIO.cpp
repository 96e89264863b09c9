#include "render/MeshBinaryIO.h"

#include "framework/StreamHelpers.h"

void WriteU16(OutStream& out, std::uint16_t value) {
  const unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
  out.Write(bytes, sizeof bytes);
}

bool ReadU16(InStream& in, std::uint16_t& value) {
  unsigned char bytes[2];
  if (in.Read(bytes, sizeof bytes) != sizeof bytes) {
    in.SetFailed();
    return false;
  }
  value = static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
  return true;
}

void WriteVector(OutStream& out, const YVector3& v) {
  WriteFloat(out, v.x);
  WriteFloat(out, v.y);
  WriteFloat(out, v.z);
}

bool ReadVector(InStream& in, YVector3& v) {
  ReadFloat(ReadFloat(ReadFloat(in, v.x), v.y), v.z);
  return !in.Failed();
}

void WriteMatrix(OutStream& out, const YMatrix4& m) {
  for (const auto& row : m.m)
    for (const float value : row) WriteFloat(out, value);
}

bool ReadMatrix(InStream& in, YMatrix4& m) {
  for (auto& row : m.m)
    for (float& value : row) ReadFloat(in, value);
  return !in.Failed();
}

bool ReadCount(InStream& in, std::uint32_t& count, std::size_t recordBytes, std::uint32_t fallbackLimit) {
  std::int32_t raw = 0;
  if (ReadInt(in, raw).Failed()) return false;
  const std::int32_t left = in.BytesLeft();
  const std::uint64_t limit = left >= 0 ? static_cast<std::uint64_t>(left) / (recordBytes ? recordBytes : 1)
                                        : std::uint64_t{fallbackLimit};
  if (raw < 0 || static_cast<std::uint64_t>(raw) > limit) {
    in.SetFailed();
    return false;
  }
  count = static_cast<std::uint32_t>(raw);
  return true;
}
