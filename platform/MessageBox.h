// Modal message boxes for fatal and shutdown errors. Without a display the
// text goes to standard error instead ("caption: text"), so nothing ever
// waits for a click that cannot come; setting QV_MESSAGEBOX_STDERR does the
// same on a display nobody watches (a virtual one in test runs).
#pragma once

#include <functional>
#include <string_view>

namespace platform {

enum class MessageBoxIcon { Information, Exclamation, Error };

// Shows the box and returns once the player closed it. The box is a process
// of the box program (MessageBoxProcess.h): a request to end the game while
// it shows (SIGTERM, SIGINT, the close of the game's window) ends the box at
// once and returns, leaving the request to the message loop, and the box
// dies with the game however the game ends. Where the box program cannot
// be started (missing, not executable), that is told to the failure hook
// and the box shows in the game's own process, where it holds the game
// until the player closes it. A box that was not closed by the player (no
// desktop, ended early) leaves its text on standard error. Main thread.
void ShowMessageBox(std::string_view text, std::string_view caption, MessageBoxIcon icon);

// Replaces the message box (tests record the calls); an empty function
// restores the real one.
using MessageBoxHandler =
    std::function<void(std::string_view text, std::string_view caption, MessageBoxIcon icon)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

// Receives what kept the box program from starting (its path and the
// system's reason), before the box shows in the game's own process; the
// program's start installs one that logs it. An empty function removes it.
// Main thread.
using BoxProgramFailureHook = std::function<void(std::string_view problem)>;
void SetBoxProgramFailureHook(BoxProgramFailureHook hook);

}  // namespace platform
