// One user of the socket layer: the first user in the process logs that
// the sockets are ready and the last one logs their clean-up, as the peer
// links come and go. POSIX sockets need no start, so nothing can fail here.
#pragma once

class SocketLayerUse {
 public:
  SocketLayerUse();
  ~SocketLayerUse();
  SocketLayerUse(const SocketLayerUse&) = delete;
  SocketLayerUse& operator=(const SocketLayerUse&) = delete;
};
