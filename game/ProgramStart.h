// The program's start: the program folder as working folder, the signals
// that end it, the user folder, the single-instance guard, the log, the
// system check, then the application object and its message loop.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class GameFramework;

// Makes the application object; an empty one makes the game's own.
using GameMaker = std::function<std::unique_ptr<GameFramework>()>;

// The window title and the version the log's first lines carry.
inline constexpr const char* kProductTitle = "Quennel Varrick";
inline constexpr const char* kProductVersion = "v1.0";
inline constexpr const char* kInstanceGuardName = "QuennelVarrickMutex";

// Runs the whole program for a command line (the arguments after the
// program name, joined by blanks), from the executable's own folder
// whatever the folder it was started from. A second instance is refused,
// without touching the running one's log, unless the command line begins
// with "-2"; each copy running beside another keeps its own log. Returns
// the process exit code.
int ProgramMain(std::string_view commandLine, const GameMaker& make = {});

// Creates the application object, runs its message loop and deletes it.
void RunGame(const GameMaker& make = {});

// True when a second instance may run beside the first.
bool AllowsSecondInstance(std::string_view commandLine);

// The address after "-broadcast" on the command line, where the network
// game looks for a peer (a game under test stays on this machine with
// 127.255.255.255); empty when the option is not given.
std::string BroadcastOption(std::string_view commandLine);

// argv[1..] joined with single blanks.
std::string JoinCommandLine(int argc, char** argv);
