#include "net/PeerDatagram.h"

#include <charconv>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// A cursor over the datagram's bytes, consumed field by field.
struct Reader {
  std::string_view rest;

  void SkipBlanks() {
    std::size_t n = 0;
    while (n < rest.size() && IsBlank(rest[n])) ++n;
    rest.remove_prefix(n);
  }

  std::string_view Word() {
    SkipBlanks();
    std::size_t n = 0;
    while (n < rest.size() && !IsBlank(rest[n])) ++n;
    const std::string_view word = rest.substr(0, n);
    rest.remove_prefix(n);
    return word;
  }

  // A decimal with an optional sign that fits 32 bits; on failure nothing
  // is consumed past the blanks.
  std::optional<std::int32_t> Number() {
    SkipBlanks();
    std::string_view digits = rest;
    if (!digits.empty() && digits.front() == '+') {
      digits.remove_prefix(1);
      if (!digits.empty() && digits.front() == '-') return std::nullopt;
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc()) return std::nullopt;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    return value;
  }

  std::string_view AfterLine() {
    const std::size_t feed = rest.find('\n');
    if (feed == std::string_view::npos) return {};
    return rest.substr(feed + 1);
  }
};

PeerDatagram::Kind KindOf(std::string_view keyword) {
  using Kind = PeerDatagram::Kind;
  if (keyword == PeerDatagram::kPeerId) return Kind::kHello;
  if (keyword == "connected") return Kind::kConnected;
  if (keyword == "mess") return Kind::kMess;
  if (keyword == "ok") return Kind::kOk;
  if (keyword == "puls") return Kind::kPuls;
  return Kind::kOther;
}

std::string Signed(std::uint32_t tick) { return std::to_string(static_cast<std::int32_t>(tick)); }

}  // namespace

PeerDatagram PeerDatagram::Parse(std::string_view bytes) {
  Reader reader{bytes};
  PeerDatagram datagram;
  datagram.kind = KindOf(reader.Word());
  switch (datagram.kind) {
    case Kind::kHello:
      datagram.version = reader.Number();
      if (datagram.version) datagram.number = reader.Number();
      break;
    case Kind::kConnected:
    case Kind::kOk:
      datagram.number = reader.Number();
      break;
    case Kind::kMess:
      datagram.number = reader.Number();
      if (datagram.number) datagram.body = reader.AfterLine();
      break;
    default:
      break;
  }
  return datagram;
}

std::string PeerDatagram::Hello(std::int32_t version, std::uint32_t startTick) {
  return std::string(kPeerId) + "\n" + std::to_string(version) + "\n" + Signed(startTick);
}

std::string PeerDatagram::Connected(std::uint32_t startTick) { return "connected\n" + Signed(startTick); }

std::string PeerDatagram::Mess(std::int32_t sequence, std::string_view body) {
  std::string text = "mess\n" + std::to_string(sequence) + "\n";
  text.append(body);
  return text;
}

std::string PeerDatagram::Ok(std::int32_t sequence) { return "ok\n" + std::to_string(sequence); }

std::string PeerDatagram::Puls() { return "puls"; }
