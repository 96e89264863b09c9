#include "net/SocketLayerUse.h"

#include <mutex>

#include "framework/Log.h"

namespace {

std::mutex g_usersLock;
int g_users = 0;

}  // namespace

SocketLayerUse::SocketLayerUse() {
  std::lock_guard<std::mutex> hold(g_usersLock);
  if (g_users++ == 0) Log::Write("POSIX sockets initialized.\n");
}

SocketLayerUse::~SocketLayerUse() {
  std::lock_guard<std::mutex> hold(g_usersLock);
  if (--g_users == 0) Log::Write("POSIX sockets cleanup.\n");
}
