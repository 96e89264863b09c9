#include "platform/Process.h"

#include <malloc.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace platform {

namespace {

// Set by the handler, read by the message loop. A lock-free atomic may be
// touched from a signal handler and read from any thread.
std::atomic<bool> g_terminationRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// Only async-signal-safe work: set the flag, or for a second signal give
// the signal back its default and raise it again.
extern "C" void OnTerminationSignal(int signalNumber) {
  if (g_terminationRequested.exchange(true)) {
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
  }
}

void Handle(int signalNumber) {
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  // System calls interrupted by the signal go on: the loop notices the flag.
  action.sa_flags = SA_RESTART;
  sigaction(signalNumber, &action, nullptr);
}

}  // namespace

void EndProcess(int exitCode) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::exit(exitCode);
}

std::string ProgramFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || !exe.has_parent_path()) return {};
  return exe.parent_path().string();
}

void InstallTerminationHandlers() {
  Handle(SIGTERM);
  Handle(SIGINT);
}

bool TerminationRequested() {
  return g_terminationRequested.load();
}

void ReturnFreedMemory() {
  malloc_trim(0);
}

void ReturnLargeBlocksWhenFreed() {
  // A fixed threshold: the C library would otherwise raise it to the size
  // of each large block freed (up to 32 MiB), so that the next images of
  // that size are carved from the heap and their holes stay resident.
  constexpr int kLargeBlock = 128 * 1024;
  mallopt(M_MMAP_THRESHOLD, kLargeBlock);
}

}  // namespace platform
