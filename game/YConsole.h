// The in-game console: a panel that slides down over the upper half of the
// UI space, shows every log line and takes a command line that runs
// commands ("exit") and sets run-time variables by name ("fps = true").
// Names are known only as ids; a YConsoleCommand handler acts on them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "framework/YCriticalSection.h"
#include "framework/YTexVertex.h"
#include "game/YConsoleCommand.h"

class YFont;
class YShader;

class YConsole {
 public:
  static constexpr float kOpenHeight = 312.5f;    // half of the UI height 625
  static constexpr float kTextSize = 20.0f;       // UI units
  static constexpr float kMaxLineWidth = 960.0f;  // 1000 - 40, at kTextSize

  // The console of the process, built by the first call (and destroyed at
  // process exit). A non-null handler becomes the handler, also on later
  // calls; null leaves it as it is. Main thread.
  static YConsole* Instance(YConsoleCommand* handler = nullptr);

  // Runs Create and registers the command "exit" (0) and the variables "fps"
  // 0, "fullscreen" 1, "video_mode" 2, "sound_volume" 3, "music_volume" 4,
  // "shadows" 5 and "stoptime" 6. The handler is not owned; null = commands
  // are parsed but nothing acts on them.
  explicit YConsole(YConsoleCommand* handler);
  // Stops the log echo first, so that no line reaches a dead console.
  ~YConsole();
  YConsole(const YConsole&) = delete;
  YConsole& operator=(const YConsole&) = delete;

  // Resets the fields, finds the font "sysfont" and the shader "console",
  // runs Update (0) and installs itself as the log's echo (a console created
  // later takes the echo over). Main thread.
  void Create(YConsoleCommand* newHandler);
  // A name registered again keeps its entry and takes the new id.
  void AddCommand(const std::string& name, int id);
  void AddVariable(const std::string& name, int id);

  // Appends the text split at line feeds (a trailing line feed adds an
  // empty line) and follows the newest line again. Any thread.
  void Print(std::string_view text);

  // Slides the panel towards open or closed and blinks the caret; true when
  // either changed what shows. Main thread.
  bool Update(float dt);
  // Draws the panel, the prompt, the command line and the output lines while
  // the panel shows. Does nothing without a renderer. Main thread.
  void Draw();
  // A character message while the console is open: 8 removes the last
  // character, 13 runs the command line; other codes are typed unless the
  // font has no width for them or the line would then be wider than
  // kMaxLineWidth UI units at kTextSize. Main thread.
  void OnChar(std::uint32_t character);
  // One page of output towards older (back) or newer lines. Main thread.
  void Scroll(bool back);
  // Runs the command line and empties it. Main thread.
  void Execute();

  // The value text as a bool ("true"/"1", "false"/"0"; anything else prints
  // "? '<value>'." and gives false), as a float (0 when not finite) and as an
  // int (clamped to the int range). Main thread.
  bool ParseBool();
  float GetFloat() const;
  int GetInt() const;

  bool IsOpen() const { return open; }
  // Opens a closed console or closes an open one; Update slides it.
  void Toggle() { open = !open; }

  // A copy of the output lines, oldest first. Any thread.
  std::vector<std::string> Lines() const;
  // The index of the bottom line shown, -1 = the newest. Any thread.
  int ScrollIndex() const;
  // The output lines Draw shows when the bottom one is at `firstY` and each
  // further one 20 higher while y stays above 0, bottom first; resolves a
  // scroll index of -1 to the newest line. Any thread.
  std::vector<std::string> VisibleLines(float firstY);

  YFont* font = nullptr;      // "sysfont"; lives for the run
  YShader* shader = nullptr;  // "console"; lives for the run
  float height = 0;           // UI units; 0 = hidden
  float closedHeight = 0;
  float speed = 400.0f;  // units per second
  std::string commandLine;
  float caretTimer = 0;
  float caretHalfPeriod = 0.3f;
  bool caretVisible = true;
  std::map<std::string, int> commands;
  std::map<std::string, int> variables;
  YConsoleCommand* handler = nullptr;  // not owned
  bool open = false;
  // Filled by Execute for the handler: the command name, or the variable
  // name followed by "=", and the value text.
  std::string echoPrefix;
  std::string valueText;
  // The background: corners top-left, bottom-left, bottom-right, top-right.
  YTexVertex quad[4];

 private:
  bool SlideAndBlink(float dt);
  void PlaceQuad();
  // One statement of the command line from `pos`; false ends the line.
  bool ExecuteStatement(std::string_view line, std::size_t& pos);
  bool AssignVariable(const std::string& name, std::string_view line, std::size_t& pos);
  bool RunCommand(const std::string& name, std::string_view line, std::size_t& pos);
  void SetScrollIndex(int index);

  // Guards the output lines and the scroll index: Print comes from any
  // thread (the log's echo, under the log's lock), so nothing called while
  // holding it may log or draw.
  mutable YCriticalSection linesLock_;
  std::vector<std::string> lines_;
  int scrollIndex_ = -1;
};

// "true" or "false".
std::string BoolToString(bool value);
// The float as a default-formatted output string stream writes it ("0.8").
std::string FloatToString(float value);
