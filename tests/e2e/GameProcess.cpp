#include "tests/e2e/GameProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace e2e {

GameProcess::GameProcess(const std::string& appData, const std::string& display,
                         const std::vector<std::string>& args, const Launch& launch) {
  stderrPath_ = appData + "/stderr.txt";
  const std::string exe = launch.exe.empty() ? QV_GAME_EXE : launch.exe;
  const std::string folder =
      launch.workingFolder.empty() ? std::filesystem::path(exe).parent_path().string() : launch.workingFolder;
  pid_ = fork();
  if (pid_ != 0) return;
  // Child: its working folder, its own environment.
  if (chdir(folder.c_str()) != 0) _exit(120);
  setenv("APPDATA", appData.c_str(), 1);
  setenv("ALSOFT_DRIVERS", "null", 1);
  if (launch.boxesOnTheDisplay)
    unsetenv("QV_MESSAGEBOX_STDERR");
  else
    setenv("QV_MESSAGEBOX_STDERR", "1", 1);
  if (display.empty())
    unsetenv("DISPLAY");
  else
    setenv("DISPLAY", display.c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
  const int err = open(stderrPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (err >= 0) dup2(err, 2);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(exe.c_str()));
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  execv(exe.c_str(), argv.data());
  _exit(121);
}

GameProcess::~GameProcess() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

std::optional<int> GameProcess::Wait(std::chrono::milliseconds timeout) {
  if (pid_ <= 0) return std::nullopt;
  int status = 0;
  const bool done = WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, timeout);
  if (!done) return std::nullopt;
  pid_ = -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + WTERMSIG(status);
}

void GameProcess::Signal(int signalNumber) const {
  if (pid_ > 0) kill(pid_, signalNumber);
}

std::string GameProcess::Stderr() const {
  std::ifstream in(stderrPath_);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string CopyProgramFolder(const std::string& exe, const std::filesystem::path& folder,
                              const std::vector<std::string>& copied) {
  namespace fs = std::filesystem;
  const fs::path program(exe);
  fs::create_directories(folder);
  for (const fs::directory_entry& entry : fs::directory_iterator(program.parent_path())) {
    const fs::path name = entry.path().filename();
    if (entry.path() == program || std::find(copied.begin(), copied.end(), name.string()) != copied.end())
      fs::copy(entry.path(), folder / name, fs::copy_options::recursive);
    else
      fs::create_symlink(entry.path(), folder / name);
  }
  return (folder / program.filename()).string();
}

int Shell(const std::string& command) { return std::system(command.c_str()); }

std::string ShellOutput(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {};
  std::string out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
  pclose(pipe);
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

std::string FindGameWindow(const std::string& display) {
  const std::string id = ShellOutput("DISPLAY=" + display +
                                     " xdotool search --onlyvisible --name '^Quennel Varrick$' 2>/dev/null");
  return id.substr(0, id.find('\n'));
}

}  // namespace e2e
