#include "platform/MessageBoxProcess.h"

#include <SDL.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "platform/MessageBox.h"

namespace platform {

namespace {

pid_t g_boxProgram = 0;

Uint32 SdlFlags(int icon) {
  switch (static_cast<MessageBoxIcon>(icon)) {
    case MessageBoxIcon::Information:
      return SDL_MESSAGEBOX_INFORMATION;
    case MessageBoxIcon::Exclamation:
      return SDL_MESSAGEBOX_WARNING;
    case MessageBoxIcon::Error:
      return SDL_MESSAGEBOX_ERROR;
  }
  return SDL_MESSAGEBOX_ERROR;
}

// From now on this process is killed when the thread that started it ends;
// false when that one is gone already (the process was handed on).
bool DieWithParent(pid_t parent) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  return getppid() == parent;
}

// The desktop's box draws in a process of its own, forked from this one:
// it dies with this one too.
extern "C" void OnForkedChild() {
  if (!DieWithParent(g_boxProgram)) _exit(kBoxOrphaned);
}

}  // namespace

std::vector<std::string> MessageBoxArguments(int callerPid, int icon, const std::string& caption,
                                             const std::string& text) {
  return {kMessageBoxProgram, std::to_string(callerPid), std::to_string(icon), caption, text};
}

int RunMessageBoxProcess(int argc, char** argv) {
  if (argc != 5) return kBoxNotShown;
  if (!DieWithParent(static_cast<pid_t>(std::atoi(argv[1])))) return kBoxOrphaned;
  g_boxProgram = getpid();
  pthread_atfork(nullptr, nullptr, OnForkedChild);
  return ShowBoxInThisProcess(std::atoi(argv[2]), argv[3], argv[4]) ? kBoxClosed : kBoxNotShown;
}

bool ShowBoxInThisProcess(int icon, const std::string& caption, const std::string& text) {
  return SDL_ShowSimpleMessageBox(SdlFlags(icon), caption.c_str(), text.c_str(), nullptr) == 0;
}

}  // namespace platform
