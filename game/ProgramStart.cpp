#include "game/ProgramStart.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "game/GameFramework.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "framework/SystemCheck.h"
#include "platform/InstanceGuard.h"
#include "platform/Paths.h"

namespace {

// The user folder as a real path, without the trailing separator.
std::string UserFolder() {
  std::string path = platform::MapPath(GetInit().UserPath());
  if (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

bool AllowsSecondInstance(std::string_view commandLine) { return commandLine.starts_with("-2"); }

std::string JoinCommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

int ProgramMain(std::string_view commandLine) {
  // The user folder comes first so that even the very first run has a log;
  // its parents are made too, since a fresh account may lack them.
  std::error_code ec;
  std::filesystem::create_directories(UserFolder(), ec);
  platform::InstanceGuard guard(UserFolder(), kInstanceGuardName);
  if (guard.AlreadyExisted() && !AllowsSecondInstance(commandLine)) {
    std::fprintf(stderr, "%s is already running.\n", kProductTitle);
    return 0;
  }
  Log::Open(GetInit().UserPath() + "log.txt");
  CheckSystem();
  Log::Printf("%s %s", kProductTitle, kProductVersion);
  RunGame();
  return 0;
}

void RunGame() {
  auto game = std::make_unique<GameFramework>();
  g_app = game.get();
  game->Run();
  game.reset();
}
