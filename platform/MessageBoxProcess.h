// The program that shows one message box for the game (QuennelVarrickBox in
// the program folder). The game starts it rather than drawing the box in its
// own process, so that it can go on reading its window and signals while
// the box shows, and end the box when it is asked to end (MessageBox.h).
#pragma once

#include <string>
#include <vector>

namespace platform {

// The box program's file name, next to the game's executable.
inline constexpr const char* kMessageBoxProgram = "QuennelVarrickBox";

// Exit codes of the box program.
inline constexpr int kBoxClosed = 0;      // shown, and closed by the player
inline constexpr int kBoxNotShown = 2;    // no desktop, or the desktop refused it
inline constexpr int kBoxOrphaned = 3;    // the game that asked was gone already

// The arguments that ask the box program for a box: the caller's process
// id, the icon's number (MessageBoxIcon), the caption and the text in UTF-8.
std::vector<std::string> MessageBoxArguments(int callerPid, int icon, const std::string& caption,
                                             const std::string& text);

// The box program's main: shows the box its arguments give and returns one
// of the exit codes above. It and every process it starts die with the
// process that started it, even when that one is killed outright.
int RunMessageBoxProcess(int argc, char** argv);

// Shows the box (icon as above, caption and text in UTF-8) with the
// desktop's dialog in the calling process and returns once the player
// closed it: true then, false when the desktop refused it.
bool ShowBoxInThisProcess(int icon, const std::string& caption, const std::string& text);

}  // namespace platform
