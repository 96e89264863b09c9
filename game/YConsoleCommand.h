// The handler of the in-game console's commands and variables. The console
// knows names only as ids; what a command or a variable does is decided
// here. The application object implements it.
#pragma once

class YConsoleCommand {
 public:
  virtual ~YConsoleCommand() = default;

  // A registered command was entered. The console's echo prefix holds the
  // command's name and its value text the word after it (possibly empty).
  // Main thread, from YConsole::Execute.
  virtual void OnCommand(int id) = 0;
  // A registered variable was assigned. The console's echo prefix holds the
  // name followed by "=", its value text the value (never empty); read it
  // with YConsole::ParseBool, GetFloat or GetInt. Main thread.
  virtual void OnVariable(int id) = 0;
};
