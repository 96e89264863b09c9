#include "game/ProgramStart.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "framework/FileUtils.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "framework/SystemCheck.h"
#include "game/GameFramework.h"
#include "modes/PeerLinkFactory.h"
#include "platform/InstanceGuard.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/Process.h"

namespace {

// The user folder as a real path, without the trailing separator.
std::string UserFolder() {
  std::string path = platform::MapPath(GetInit().UserPath());
  if (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The data files are named relative to the program folder, so the program
// works from there wherever it was started from. Before anything reads a
// file, the configuration's list of interface folders included.
void EnterProgramFolder() {
  const std::string folder = platform::ProgramFolder();
  std::error_code ec;
  if (!folder.empty()) std::filesystem::current_path(folder, ec);
  if (folder.empty() || ec)
    std::fprintf(stderr, "Cannot enter the program folder %s: %s\n", folder.c_str(),
                 folder.empty() ? "its path is unknown" : ec.message().c_str());
}

// The log of the copy numbered `copyNumber` among the copies running at
// once: "log.txt" for the first, "log2.txt" for the second, and so on.
std::string LogFileName(int copyNumber) {
  if (copyNumber <= 1) return "log.txt";
  return "log" + std::to_string(copyNumber) + ".txt";
}

// How many logs a copy may try for one that no other copy has open.
constexpr int kLogNames = 100;

// The log of copy `copyNumber`, or, while another copy has that one open
// (copies that could not take the guard have no number of their own), the
// next one free.
void OpenOwnLog(int copyNumber) {
  bool held = true;
  for (int n = copyNumber; held && n < copyNumber + kLogNames; ++n)
    Log::Open(GetInit().UserPath() + LogFileName(n), &held);
}

// What a copy says, on stderr and in its log, when it could not take the
// guard: another copy may be running, so it runs as one started beside
// another would. Empty when the guard was taken.
std::string UnguardedNotice(const platform::InstanceGuard& guard) {
  if (!guard.Failed()) return {};
  return "The single-instance guard cannot be taken (" + guard.Failure() +
         "): this copy runs as one started with -2 beside another, with a log of its own, and removes "
         "nothing from the user folder";
}

// Writes cut short by an earlier run's end leave their ".tmp" files, and a
// first run's user folder is filled from the program's. Only a copy that
// holds the guard alone does either, before another copy may start beside
// it: while another copy runs, the ".tmp" files may be its writes, and the
// files the folder lacks may be ones the player deleted there. Returns the
// files removed, for the log.
LeftoverTempFiles TidyUserFolderAlone(const platform::InstanceGuard& guard) {
  if (guard.Failed() || guard.AlreadyExisted()) return {};
  LeftoverTempFiles leftovers = RemoveLeftoverTempFiles(GetInit().UserPath());
  GetInit().SeedOnFirstRun(Init::kFileName);
  return leftovers;
}

}  // namespace

bool AllowsSecondInstance(std::string_view commandLine) {
  return commandLine.starts_with("-2");
}

std::string BroadcastOption(std::string_view commandLine) {
  constexpr std::string_view kOption = "-broadcast ";
  const std::size_t at = commandLine.find(kOption);
  if (at == std::string_view::npos || (at > 0 && commandLine[at - 1] != ' ')) return {};
  const std::string_view rest = commandLine.substr(at + kOption.size());
  return std::string(rest.substr(0, rest.find(' ')));
}

std::string JoinCommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

int ProgramMain(std::string_view commandLine, const GameMaker& make) {
  EnterProgramFolder();
  // A signal to end is taken as the player's own exit (the loop saves the
  // configuration); installed before the desktop connection, which then
  // leaves it alone.
  platform::InstallTerminationHandlers();
  platform::ReturnLargeBlocksWhenFreed();
  // The user folder comes first so that even the very first run has a log;
  // its parents are made too, since a fresh account may lack them.
  std::error_code ec;
  std::filesystem::create_directories(UserFolder(), ec);
  platform::InstanceGuard guard(UserFolder(), kInstanceGuardName);
  const std::string unguarded = UnguardedNotice(guard);
  if (!unguarded.empty()) std::fprintf(stderr, "%s\n", unguarded.c_str());
  if (guard.AlreadyExisted() && !AllowsSecondInstance(commandLine)) {
    std::fprintf(stderr, "%s is already running.\n", kProductTitle);
    return 0;
  }
  const LeftoverTempFiles leftovers = TidyUserFolderAlone(guard);
  OpenOwnLog(guard.Share());
  platform::SetBoxProgramFailureHook([](std::string_view problem) {
    Log::Printf("The message box program cannot be started (%.*s): the box shows in the game's own process",
                static_cast<int>(problem.size()), problem.data());
  });
  if (!unguarded.empty()) Log::Write(unguarded);
  for (const std::string& name : leftovers.cutWrites)
    Log::Printf("Removed %s, left by a write that was cut short", platform::MapPath(name).c_str());
  for (const std::string& name : leftovers.heldSaveNumbers)
    Log::Printf("Removed %s, a save number a new quest held and never used", platform::MapPath(name).c_str());
  if (const std::string broadcast = BroadcastOption(commandLine); !broadcast.empty()) {
    DefaultPeerLinkFactory().SetBroadcastAddress(broadcast);
    Log::Printf("Network games look for a peer at %s", broadcast.c_str());
  }
  CheckSystem();
  Log::Printf("%s %s", kProductTitle, kProductVersion);
  RunGame(make);
  return 0;
}

void RunGame(const GameMaker& make) {
  std::unique_ptr<GameFramework> game = make ? make() : std::make_unique<GameFramework>();
  g_app = game.get();
  game->Run();
  game.reset();
}
