// The records of the binary data files. A string is a signed 16-bit length,
// little-endian, then exactly that many bytes (no terminator); integers and
// floats are their four bytes, little-endian. Each helper returns its stream
// so that calls chain; a record that cannot be read leaves the stream failed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/InStream.h"
#include "framework/OutStream.h"

// The longest text a string record holds.
inline constexpr std::size_t kMaxStringRecordLength = 32767;

// Writes a string record. A longer text is cut to kMaxStringRecordLength
// bytes, so the file always reads back record by record. A null text is
// written as an empty one.
OutStream& WriteString(OutStream& out, const char* text);
OutStream& WriteString(OutStream& out, const std::string& text);

// Reads a string record into `buffer`, which holds `bufferSize` bytes, and
// terminates it. A text longer than bufferSize - 1 is cut to fit and the rest
// of the record is read past, so the stream stays in step. A negative length,
// a length beyond the bytes left, or a short read fails the stream and
// leaves an empty text (when bufferSize > 0). Nothing is ever written outside
// buffer[0 .. bufferSize - 1].
InStream& ReadString(InStream& in, char* buffer, std::size_t bufferSize);
// The same into a string object, which is emptied when the record fails.
InStream& ReadString(InStream& in, std::string& text);

OutStream& WriteInt(OutStream& out, std::int32_t value);
// On a short read the stream fails and `value` is left as it was.
InStream& ReadInt(InStream& in, std::int32_t& value);

OutStream& WriteFloat(OutStream& out, float value);
// On a short read the stream fails and `value` is left as it was.
InStream& ReadFloat(InStream& in, float& value);
