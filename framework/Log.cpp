#include "framework/Log.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

#include "framework/YLock.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace {

// Shared by every thread, guarded by `lock`. Never destroyed, so that objects
// torn down at exit may still log; the file is flushed after every line.
struct LogState {
  YCriticalSection lock;
  platform::FilePtr file;
  std::string fileName = "log.txt";
  Log::Echo echo;
};

LogState& State() {
  static LogState* const state = new LogState;
  return *state;
}

// Text appended for the next line. Each thread gathers its own, so a worker's
// line never swallows half of a listing the main thread is building.
thread_local std::string t_pending;

constexpr std::size_t kFormatBuffer = 1024;

// printf formatting; a text that does not fit the stack buffer is measured
// and formatted again at its full length rather than cut.
std::string FormatV(const char* format, va_list args) {
  if (!format) return {};
  char buffer[kFormatBuffer];
  va_list measure;
  va_copy(measure, args);
  const int needed = std::vsnprintf(buffer, sizeof buffer, format, measure);
  va_end(measure);
  if (needed < 0) return {};
  const auto length = static_cast<std::size_t>(needed);
  if (length < sizeof buffer) return std::string(buffer, length);
  std::string text(length, '\0');
  std::vsnprintf(text.data(), length + 1, format, args);
  return text;
}

}  // namespace

bool Log::Open(std::string_view path, bool* heldElsewhere) {
  LogState& state = State();
  YLock lock(state.lock);
  state.file.reset();
  state.fileName = path.substr(path.find_last_of("\\/") + 1);
  bool notRegular = false;
  state.file = platform::OpenRegularForWritingAlone(path, &notRegular, heldElsewhere);
  // The log cannot report its own refusal.
  if (notRegular)
    std::fprintf(stderr, "Not a regular file, no log is written: %s\n", platform::MapPath(path).c_str());
  return state.file != nullptr;
}

void Log::Close() {
  LogState& state = State();
  YLock lock(state.lock);
  state.file.reset();
}

std::string Log::FileName() {
  LogState& state = State();
  YLock lock(state.lock);
  return state.fileName;
}

void Log::SetEcho(Echo echo) {
  LogState& state = State();
  YLock lock(state.lock);
  state.echo = std::move(echo);
}

void Log::Write(std::string_view text) {
  // Take the pending text first: an echo that logs again starts a new line.
  std::string line = std::exchange(t_pending, std::string());
  line.append(text);
  LogState& state = State();
  YLock lock(state.lock);
  if (state.file != nullptr) {
    // A failed write is dropped: the log has nowhere to report it.
    std::fwrite(line.data(), 1, line.size(), state.file.get());
    std::fputc('\n', state.file.get());
    std::fflush(state.file.get());
  }
  if (state.echo) state.echo(line);
}

void Log::Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  Write(text);
}

void Log::Append(std::string_view text) { t_pending.append(text); }

void Log::AppendF(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatV(format, args);
  va_end(args);
  Append(text);
}
