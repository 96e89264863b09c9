// Little-endian records of the compiled mesh files (".meb", ".mab") beyond
// the stream helpers' strings and 32-bit values: 16-bit indices, vectors,
// matrices, and counts checked against the bytes the stream still holds, so
// a damaged count can never make a reader allocate or loop without bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/InStream.h"
#include "framework/OutStream.h"
#include "framework/YMatrix4.h"
#include "framework/YVector3.h"

void WriteU16(OutStream& out, std::uint16_t value);
// False (the stream failed, value unchanged) on a short read.
bool ReadU16(InStream& in, std::uint16_t& value);

void WriteVector(OutStream& out, const YVector3& v);
bool ReadVector(InStream& in, YVector3& v);
// The sixteen floats row by row.
void WriteMatrix(OutStream& out, const YMatrix4& m);
bool ReadMatrix(InStream& in, YMatrix4& m);

// Reads a count of records of at least `recordBytes` bytes each. Fails the
// stream (and returns false) when the count cannot be read, is negative as a
// signed value, or promises more records than the bytes left can hold. A
// stream that cannot tell its size takes counts up to `fallbackLimit`.
bool ReadCount(InStream& in, std::uint32_t& count, std::size_t recordBytes,
               std::uint32_t fallbackLimit = 1u << 20);

// Resizes `records` to a count read from the stream (checked against the
// bytes left, at least `recordBytes` a record) and fills each with `read`
// (record) -> bool; false at the first record that fails.
template <typename Record, typename ReadOne>
bool ReadArray(InStream& in, std::vector<Record>& records, std::size_t recordBytes, ReadOne read) {
  std::uint32_t count = 0;
  if (!ReadCount(in, count, recordBytes)) return false;
  records.resize(count);
  for (Record& record : records)
    if (!read(record)) return false;
  return true;
}

// Whether `index` is a position in an array of `size`.
inline bool IndexInside(std::int64_t index, std::size_t size) {
  return index >= 0 && static_cast<std::uint64_t>(index) < size;
}

// The messages that say which record of a file is bad (printf-style).
template <typename... Args>
std::string DescribeRecord(const char* format, Args... args) {
  char text[160];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}
