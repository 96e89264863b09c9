// The program's one diagnostic channel: "log.txt" in the user folder, one
// line per Write, flushed at once, each line also handed to an echo (the
// in-game console once it exists). Lines carry no time stamp and no level.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class Log {
 public:
  // Receives each whole line (without the added line feed) under the log's
  // lock, from whichever thread wrote it; the console splits it at line feeds.
  using Echo = std::function<void(const std::string& line)>;

  // Opens (truncating) the log file; `path` is a data name such as
  // UserPath() + "log.txt". Call once the user folder exists. Lines written
  // before the file opens, or after it failed to open, reach only the echo.
  // A named pipe, device or folder in the path's place is refused (said on
  // stderr, since the log cannot report it). The file is the log's alone
  // while it is open: one another log (of any process) has open is left as
  // it is, and `*heldElsewhere` is set. Returns whether the file is open.
  // Any thread.
  static bool Open(std::string_view path, bool* heldElsewhere = nullptr);
  // Closes the file; later lines reach only the echo. Any thread.
  static void Close();
  // The name, without its folder, of the file the last Open was given
  // ("log.txt" before any): where a message may send the player. Any thread.
  static std::string FileName();

  // Installs the echo; an empty function removes it. Any thread.
  static void SetEcho(Echo echo);

  // Writes one line: the text this thread appended since its last Write, then
  // `text`, then a line feed. An empty text with nothing appended writes an
  // empty line. Any thread; lines of different threads never mix.
  static void Write(std::string_view text);
  // printf-style Write. Texts of any length are written whole.
  static void Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

  // Gathers text for this thread's next Write; writes nothing. Used to build
  // one long line from several calls (the display-mode listing).
  static void Append(std::string_view text);
  static void AppendF(const char* format, ...) __attribute__((format(printf, 1, 2)));
};
