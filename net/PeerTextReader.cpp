#include "net/PeerTextReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

}  // namespace

std::string_view PeerTextReader::NextWord() {
  if (!ok_) return {};
  const std::size_t start = text_.find_first_not_of(kBlanks, pos_);
  if (start == std::string_view::npos) {
    pos_ = text_.size();
    ok_ = false;
    return {};
  }
  std::size_t end = text_.find_first_of(kBlanks, start);
  if (end == std::string_view::npos) end = text_.size();
  pos_ = end;
  return text_.substr(start, end - start);
}

bool PeerTextReader::Word(std::string& out) {
  const std::string_view word = NextWord();
  if (ok_) out.assign(word);
  return ok_;
}

bool PeerTextReader::Integer(std::int64_t& out, std::int64_t low, std::int64_t high) {
  const std::string_view word = NextWord();
  if (!ok_) return false;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < low || value > high) {
    ok_ = false;
    return false;
  }
  out = value;
  return true;
}

bool PeerTextReader::Int(std::int32_t& out, std::int32_t low, std::int32_t high) {
  std::int64_t value = 0;
  if (!Integer(value, low, high)) return false;
  out = static_cast<std::int32_t>(value);
  return true;
}

bool PeerTextReader::Unsigned(std::uint32_t& out) {
  std::int64_t value = 0;
  if (!Integer(value, 0, std::numeric_limits<std::uint32_t>::max())) return false;
  out = static_cast<std::uint32_t>(value);
  return true;
}

bool PeerTextReader::UnsignedList(std::vector<std::uint32_t>& out, std::int32_t maxCount) {
  std::int32_t count = 0;
  Int(count, 0, maxCount);
  for (std::int32_t i = 0; i < count && ok_; ++i) {
    std::uint32_t value = 0;
    if (Unsigned(value)) out.push_back(value);
  }
  return ok_;
}

bool PeerTextReader::DataName(std::string& out) {
  if (Word(out) && out != "0" && !IsSafeDataName(out)) ok_ = false;
  return ok_;
}

bool PeerTextReader::Float(float& out) {
  const std::string_view word = NextWord();
  if (!ok_) return false;
  float value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) {
    ok_ = false;
    return false;
  }
  out = value;
  return true;
}

bool PeerTextReader::Line(std::string& out) {
  if (!ok_) return false;
  const std::size_t feed = text_.find('\n', pos_);
  if (feed == std::string_view::npos) {
    ok_ = false;
    return false;
  }
  const std::size_t start = feed + 1;
  std::size_t end = text_.find('\n', start);
  if (end == std::string_view::npos) end = text_.size();
  pos_ = end;
  std::string_view line = text_.substr(start, end - start);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  out.assign(line);
  return true;
}

std::string PrintableExcerpt(std::string_view text, std::size_t length) {
  std::string shown(text.substr(0, length));
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) c = '|';
  }
  return shown;
}

bool IsMessageWord(std::string_view text) {
  return !text.empty() && text.find_first_of(" \t\r\n") == std::string_view::npos;
}

bool IsSafeDataName(std::string_view name) {
  if (name.empty() || name.front() == '\\' || name.front() == '/') return false;
  if (name.find("..") != std::string_view::npos || name.find(':') != std::string_view::npos) return false;
  return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) > 0x20; });
}
