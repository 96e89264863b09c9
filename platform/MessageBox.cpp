#include "platform/MessageBox.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "platform/CloseRequestWatch.h"
#include "platform/Cp1252.h"
#include "platform/MessageBoxProcess.h"
#include "platform/Process.h"
#include "platform/Window.h"

extern char** environ;

namespace platform {

namespace {

// How often a waiting box looks for a request to end the game.
constexpr std::uint32_t kBoxPollMs = 20;

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

BoxProgramFailureHook& FailureHook() {
  static BoxProgramFailureHook hook;
  return hook;
}

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// A box is only shown where someone can see and click it. QV_MESSAGEBOX_STDERR
// sends boxes to standard error even then (for runs on a virtual display).
bool CanShowBox() {
  if (IsSet("QV_MESSAGEBOX_STDERR")) return false;
  if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) return false;
  return InitVideo();
}

bool EndRequested(CloseRequestWatch& closeRequest) {
  return TerminationRequested() || closeRequest.Requested();
}

// The box program next to the running executable; empty, with `problem`
// said, when it is missing or may not be run.
std::string BoxProgramPath(std::string& problem) {
  const std::string folder = ProgramFolder();
  if (folder.empty()) {
    problem = std::string(kMessageBoxProgram) + ": the program folder is unknown";
    return {};
  }
  std::string path = folder + "/" + kMessageBoxProgram;
  if (access(path.c_str(), X_OK) == 0) return path;
  problem = path + ": " + std::strerror(errno);
  return {};
}

// Starts the box program in a process group of its own, so that a terminal's
// Ctrl+C reaches the game alone and ending the group ends all of the box,
// with the signals' default actions and none of the game's files, locks or
// sockets beyond the standard streams. -1, with `problem` said, when it
// cannot start.
pid_t StartBoxProgram(const std::string& path, std::vector<std::string> args, std::string& problem) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults, none;
  sigemptyset(&defaults);
  for (const int signalNumber : {SIGTERM, SIGINT, SIGPIPE}) sigaddset(&defaults, signalNumber);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addclosefrom_np(&files, STDERR_FILENO + 1);
  pid_t box = -1;
  const int result = posix_spawn(&box, path.c_str(), &files, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attributes);
  if (result == 0) return box;
  problem = path + ": " + std::strerror(result);
  return -1;
}

// Waits until the box is closed, or until the game is asked to end, which
// ends the box at once. The box program's exit code; -1 when it was ended.
int WaitForBox(pid_t box, CloseRequestWatch& closeRequest) {
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(box, &status, WNOHANG);
    if (done == box) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (done < 0 && errno != EINTR) return -1;
    if (EndRequested(closeRequest)) {
      kill(-box, SIGKILL);
      while (waitpid(box, &status, 0) < 0 && errno == EINTR) {
      }
      return -1;
    }
    SleepMs(kBoxPollMs);
  }
}

// The box shows as it did before there was a box program, once the reason
// is told.
bool ShowWithoutBoxProgram(const std::string& problem, const std::string& text, const std::string& caption,
                           MessageBoxIcon icon) {
  if (const BoxProgramFailureHook hook = FailureHook()) hook(problem);
  return ShowBoxInThisProcess(static_cast<int>(icon), caption, text);
}

// True when the box showed and the player closed it.
bool ShowOnDesktop(const std::string& text, const std::string& caption, MessageBoxIcon icon) {
  if (!CanShowBox()) return false;
  CloseRequestWatch closeRequest;
  if (EndRequested(closeRequest)) return false;
  std::string problem;
  const std::string program = BoxProgramPath(problem);
  const auto args = MessageBoxArguments(getpid(), static_cast<int>(icon), caption, text);
  const pid_t box = program.empty() ? -1 : StartBoxProgram(program, args, problem);
  if (box < 0) return ShowWithoutBoxProgram(problem, text, caption, icon);
  return WaitForBox(box, closeRequest) == kBoxClosed;
}

void WriteToStderr(const std::string& text, const std::string& caption) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
}

}  // namespace

void ShowMessageBox(std::string_view text, std::string_view caption, MessageBoxIcon icon) {
  // A copy, so a handler that replaces itself is not destroyed mid-call.
  if (const MessageBoxHandler handler = Handler()) {
    handler(text, caption, icon);
    return;
  }
  const std::string utf8Text = Cp1252ToUtf8(text);
  const std::string utf8Caption = Cp1252ToUtf8(caption);
  if (!ShowOnDesktop(utf8Text, utf8Caption, icon)) WriteToStderr(utf8Text, utf8Caption);
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
  Handler() = std::move(handler);
}

void SetBoxProgramFailureHook(BoxProgramFailureHook hook) {
  FailureHook() = std::move(hook);
}

}  // namespace platform
