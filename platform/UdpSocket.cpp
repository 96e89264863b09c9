#include "platform/UdpSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace platform {

namespace {

sockaddr_in ToSockaddr(const UdpEndpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(endpoint.address);
  address.sin_port = htons(endpoint.port);
  return address;
}

std::optional<std::uint32_t> LookUpName(const std::string& host) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return std::nullopt;
  std::optional<std::uint32_t> result;
  for (const addrinfo* entry = found; entry && !result; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET || entry->ai_addrlen < sizeof(sockaddr_in)) continue;
    sockaddr_in address{};
    std::memcpy(&address, entry->ai_addr, sizeof address);
    result = ntohl(address.sin_addr.s_addr);
  }
  ::freeaddrinfo(found);
  return result;
}

}  // namespace

std::optional<std::uint32_t> LookUpHost(const std::string& host) {
  if (host.empty()) return std::nullopt;
  in_addr dotted{};
  if (::inet_pton(AF_INET, host.c_str(), &dotted) == 1) return ntohl(dotted.s_addr);
  return LookUpName(host);
}

UdpSocket::~UdpSocket() { Close(); }

UdpSocket::UdpSocket(UdpSocket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

UdpSocket& UdpSocket::operator=(UdpSocket&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

bool UdpSocket::Open() {
  Close();
  fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  return fd_ >= 0;
}

void UdpSocket::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool UdpSocket::SetNonBlocking() {
  if (fd_ < 0) return false;
  const int flags = ::fcntl(fd_, F_GETFL);
  return flags >= 0 && ::fcntl(fd_, F_SETFL, flags | O_NONBLOCK) == 0;
}

bool UdpSocket::AllowBroadcast() {
  if (fd_ < 0) return false;
  const int on = 1;
  return ::setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0;
}

bool UdpSocket::SetReceiveBuffer(int bytes) {
  if (fd_ < 0) return false;
  return ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes) == 0;
}

UdpSocket::BindResult UdpSocket::Bind(std::uint16_t port) {
  if (fd_ < 0) return BindResult::kFailed;
  const sockaddr_in address = ToSockaddr({INADDR_ANY, port});
  if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    return BindResult::kBound;
  }
  return errno == EADDRINUSE ? BindResult::kAddressInUse : BindResult::kFailed;
}

std::uint16_t UdpSocket::LocalPort() const {
  if (fd_ < 0) return 0;
  sockaddr_in address{};
  socklen_t size = sizeof address;
  if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
  return ntohs(address.sin_port);
}

bool UdpSocket::SendTo(const UdpEndpoint& to, std::string_view bytes) {
  if (fd_ < 0) return false;
  const sockaddr_in address = ToSockaddr(to);
  ssize_t sent;
  do {
    sent = ::sendto(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL,
                    reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } while (sent < 0 && errno == EINTR);
  return sent >= 0 && static_cast<std::size_t>(sent) == bytes.size();
}

UdpSocket::ReceiveResult UdpSocket::ReceiveFrom(std::string& bytes, std::size_t maxBytes,
                                                UdpEndpoint& from) {
  bytes.clear();
  if (fd_ < 0) return ReceiveResult::kFailed;
  bytes.resize(maxBytes);
  sockaddr_in address{};
  socklen_t size = sizeof address;
  ssize_t got;
  do {
    got = ::recvfrom(fd_, bytes.data(), maxBytes, 0, reinterpret_cast<sockaddr*>(&address), &size);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    bytes.clear();
    return errno == EAGAIN || errno == EWOULDBLOCK ? ReceiveResult::kNothing : ReceiveResult::kFailed;
  }
  bytes.resize(static_cast<std::size_t>(got));
  from = {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
  return ReceiveResult::kDatagram;
}

}  // namespace platform
