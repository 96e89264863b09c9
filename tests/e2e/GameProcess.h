// Runs the game as a child process for end-to-end tests: its own user
// folder, an optional display, and helpers to wait for it and drive it.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Which program to start, and from which working folder; empty means the
// built game, from its program folder.
struct Launch {
  std::string exe;
  std::string workingFolder;
  bool boxesOnTheDisplay = false;  // message boxes show, rather than go to standard error
};

class GameProcess {
 public:
  // Starts the game with APPDATA = appData. With an empty display the child
  // gets no DISPLAY at all.
  GameProcess(const std::string& appData, const std::string& display,
              const std::vector<std::string>& args = {}, const Launch& launch = {});
  ~GameProcess();
  GameProcess(const GameProcess&) = delete;
  GameProcess& operator=(const GameProcess&) = delete;

  // Waits for the process to end; its exit code, or nothing on time-out.
  std::optional<int> Wait(std::chrono::milliseconds timeout);
  // What the child wrote to standard error so far (after Wait: all of it).
  std::string Stderr() const;
  // Sends a signal to the running game (SIGTERM: what a desktop's log-out
  // or a service manager sends).
  void Signal(int signalNumber) const;
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  std::string stderrPath_;
};

// A copy of the program folder that holds `exe`, made in `folder` (which
// must not exist): the program and the `copied` entries copied, every other
// entry linked, so a test may damage the files of its own copy. Returns the
// copy's program.
std::string CopyProgramFolder(const std::string& exe, const std::filesystem::path& folder,
                              const std::vector<std::string>& copied);

// True once `predicate` holds, polling until the time-out.
template <typename Pred>
bool WaitUntil(Pred predicate, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < end) {
    if (predicate()) return true;
    struct timespec ts{0, 50'000'000};
    nanosleep(&ts, nullptr);
  }
  return predicate();
}

// Runs a shell command; its exit status.
int Shell(const std::string& command);

// Runs a shell command; what it printed, without the last line feed.
std::string ShellOutput(const std::string& command);

// The id of the game's visible window on `display`, found by title; empty
// when there is none.
std::string FindGameWindow(const std::string& display);

}  // namespace e2e
