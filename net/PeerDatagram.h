// The datagrams of the peer link as text: the hello that looks for a peer,
// "connected" that answers it, numbered "mess" messages, their "ok"
// acknowledgements and the "puls" keep-alive. Formats them and reads them
// back, refusing nothing but reporting every field that did not parse.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct PeerDatagram {
  enum class Kind { kHello, kConnected, kMess, kOk, kPuls, kOther };

  // The hello's first word, the link's identity on the wire.
  static constexpr std::string_view kPeerId = "QuennelVarrickPeer";

  Kind kind = Kind::kOther;
  // A hello's protocol version; unset when it did not parse.
  std::optional<std::int32_t> version;
  // The start tick of a hello (only read when its version parsed) or of
  // "connected", or the sequence number of "mess" and "ok"; unset when it
  // did not parse.
  std::optional<std::int32_t> number;
  // A "mess" body: every byte after the line feed that ends the sequence
  // number's line, line feeds included; empty when there is no such line feed.
  std::string body;

  // Reads a received datagram: the keyword is its first blank-delimited
  // word; numbers follow after white space, as signed 32-bit decimals.
  static PeerDatagram Parse(std::string_view bytes);

  // The texts sent. A start tick goes on the wire as a signed number.
  static std::string Hello(std::int32_t version, std::uint32_t startTick);
  static std::string Connected(std::uint32_t startTick);
  static std::string Mess(std::int32_t sequence, std::string_view body);
  static std::string Ok(std::int32_t sequence);
  static std::string Puls();
};
