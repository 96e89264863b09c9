// Reads the fields of a text message from the peer: blank-separated words,
// decimal integers held to a range, finite floats, and whole lines. Every
// read checks what it finds; after the first failure every further read
// fails too, so a handler reads all its fields and then asks Ok once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class PeerTextReader {
 public:
  // Reads `text`, which must outlive the reader.
  explicit PeerTextReader(std::string_view text) : text_(text) {}

  // The next word (blanks and line feeds separate words).
  bool Word(std::string& out);
  // The next word as a decimal integer (an optional "-", digits only)
  // within [low, high].
  bool Int(std::int32_t& out, std::int32_t low, std::int32_t high);
  bool Unsigned(std::uint32_t& out);
  // A count within [0, maxCount], then that many unsigned words.
  bool UnsignedList(std::vector<std::uint32_t>& out, std::int32_t maxCount);
  // The next word as a data file name the peer may send: "0" (none) or a
  // name IsSafeDataName accepts.
  bool DataName(std::string& out);
  // The next word as a finite float.
  bool Float(float& out);
  // Skips what is left of the current line, then reads the next line whole
  // (without its line feed; a carriage return before it is dropped). The
  // last line of the text needs no line feed.
  bool Line(std::string& out);
  // Fails the reader: for checks of values the reader cannot judge.
  void Fail() { ok_ = false; }

  bool Ok() const { return ok_; }

 private:
  std::string_view NextWord();
  bool Integer(std::int64_t& out, std::int64_t low, std::int64_t high);

  std::string_view text_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

// At most `length` bytes of a peer's text as it may be logged: every byte
// that is not printable becomes '|'.
std::string PrintableExcerpt(std::string_view text, std::size_t length);

// A text that travels as one word of a message: not empty, no blank.
bool IsMessageWord(std::string_view text);
// A data file name a peer may send (a face texture): relative, without "..",
// a drive or any blank or control byte.
bool IsSafeDataName(std::string_view name);
