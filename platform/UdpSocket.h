// IPv4 UDP sockets for the peer link: one owned socket descriptor, made
// non-blocking with broadcast allowed, bound to a port of any interface,
// and whole datagrams sent and received. Also the host look-up of names and
// dotted addresses. Nothing above this layer sees a socket header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// An IPv4 address and port, both in host byte order (127.0.0.1 is 0x7f000001).
struct UdpEndpoint {
  std::uint32_t address = 0;
  std::uint16_t port = 0;
  bool operator==(const UdpEndpoint&) const = default;
};

// The address of `host`: dotted text ("127.0.0.1") is converted directly,
// anything else is looked up by name (IPv4 only). nullopt when the host is
// empty or cannot be found. A name look-up may block for as long as the
// resolver takes: call it outside any lock. Any thread.
std::optional<std::uint32_t> LookUpHost(const std::string& host);

class UdpSocket {
 public:
  enum class BindResult { kBound, kAddressInUse, kFailed };
  enum class ReceiveResult { kDatagram, kNothing, kFailed };

  // No socket until Open.
  UdpSocket() = default;
  ~UdpSocket();
  UdpSocket(UdpSocket&& other) noexcept;
  UdpSocket& operator=(UdpSocket&& other) noexcept;
  UdpSocket(const UdpSocket&) = delete;
  UdpSocket& operator=(const UdpSocket&) = delete;

  // Creates an IPv4 datagram socket (closing one held before); false when
  // the system refuses, and the object then holds none.
  bool Open();
  bool IsOpen() const { return fd_ >= 0; }
  void Close();

  // Switch the socket to non-blocking operation, or allow sending to
  // broadcast addresses. False when the socket is closed or the system refuses.
  bool SetNonBlocking();
  bool AllowBroadcast();
  // Asks for a receive buffer of `bytes`. The system may grant less (Linux
  // holds it to its limit for unprivileged users) or count it twice for its
  // book-keeping. False when the socket is closed or the system refuses.
  bool SetReceiveBuffer(int bytes);

  // Binds to `port` of every interface, without address reuse, so a port
  // that another socket holds reports kAddressInUse.
  BindResult Bind(std::uint16_t port);
  // The bound port, or 0 while unbound or closed.
  std::uint16_t LocalPort() const;

  // Sends `bytes` as one datagram; true when it went out whole.
  bool SendTo(const UdpEndpoint& to, std::string_view bytes);
  // Takes one waiting datagram into `bytes`, keeping at most `maxBytes` of
  // it (the rest of a longer one is lost), and its source into `from`.
  // kNothing when none waits on a non-blocking socket.
  ReceiveResult ReceiveFrom(std::string& bytes, std::size_t maxBytes, UdpEndpoint& from);

 private:
  int fd_ = -1;
};

}  // namespace platform
