#include "framework/StreamHelpers.h"

#include <algorithm>
#include <bit>
#include <string_view>

namespace {

OutStream& WriteUint32(OutStream& out, std::uint32_t v) {
  const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                  static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  out.Write(bytes, sizeof bytes);
  return out;
}

bool ReadUint32(InStream& in, std::uint32_t& v) {
  unsigned char bytes[4];
  if (in.Read(bytes, sizeof bytes) != sizeof bytes) {
    in.SetFailed();
    return false;
  }
  v = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
      static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  return true;
}

OutStream& WriteRecord(OutStream& out, std::string_view text) {
  const std::size_t length = std::min(text.size(), kMaxStringRecordLength);
  const unsigned char header[2] = {static_cast<unsigned char>(length),
                                   static_cast<unsigned char>(length >> 8)};
  out.Write(header, sizeof header);
  if (length > 0) out.Write(text.data(), length);
  return out;
}

// Reads the length field of a string record and checks it against what the
// stream holds. Fails the stream and gives -1 for a record that cannot be
// read.
int ReadRecordLength(InStream& in) {
  unsigned char header[2];
  if (in.Read(header, sizeof header) != sizeof header) {
    in.SetFailed();
    return -1;
  }
  const auto length = static_cast<std::int16_t>(static_cast<std::uint16_t>(header[0] | header[1] << 8));
  const std::int32_t left = in.BytesLeft();
  if (length < 0 || (left >= 0 && length > left)) {
    in.SetFailed();
    return -1;
  }
  return length;
}

// Reads past `count` bytes. Reading rather than seeking keeps a cipher's key
// position in step.
void Discard(InStream& in, std::size_t count) {
  char scratch[256];
  while (count > 0 && !in.Failed()) {
    const std::size_t chunk = std::min(count, sizeof scratch);
    if (in.Read(scratch, chunk) != chunk) {
      in.SetFailed();
      return;
    }
    count -= chunk;
  }
}

}  // namespace

OutStream& WriteString(OutStream& out, const char* text) {
  return WriteRecord(out, text ? std::string_view(text) : std::string_view());
}

OutStream& WriteString(OutStream& out, const std::string& text) {
  return WriteRecord(out, text);
}

InStream& ReadString(InStream& in, char* buffer, std::size_t bufferSize) {
  if (buffer == nullptr) bufferSize = 0;
  if (bufferSize > 0) buffer[0] = '\0';
  const int length = ReadRecordLength(in);
  if (length < 0) return in;
  const auto wanted = static_cast<std::size_t>(length);
  const std::size_t kept = bufferSize > 0 ? std::min(wanted, bufferSize - 1) : 0;
  if (in.Read(buffer, kept) != kept) {
    in.SetFailed();
    buffer[0] = '\0';  // kept > 0 here, so the buffer has room
    return in;
  }
  if (bufferSize > 0) buffer[kept] = '\0';
  Discard(in, wanted - kept);
  return in;
}

InStream& ReadString(InStream& in, std::string& text) {
  text.clear();
  const int length = ReadRecordLength(in);
  if (length <= 0) return in;
  text.resize(static_cast<std::size_t>(length));
  if (in.Read(text.data(), text.size()) != text.size()) {
    in.SetFailed();
    text.clear();
  }
  return in;
}

OutStream& WriteInt(OutStream& out, std::int32_t value) {
  return WriteUint32(out, static_cast<std::uint32_t>(value));
}

InStream& ReadInt(InStream& in, std::int32_t& value) {
  std::uint32_t bits;
  if (ReadUint32(in, bits)) value = static_cast<std::int32_t>(bits);
  return in;
}

OutStream& WriteFloat(OutStream& out, float value) {
  return WriteUint32(out, std::bit_cast<std::uint32_t>(value));
}

InStream& ReadFloat(InStream& in, float& value) {
  std::uint32_t bits;
  if (ReadUint32(in, bits)) value = std::bit_cast<float>(bits);
  return in;
}
