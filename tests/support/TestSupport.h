// Helpers shared by the tests: a temporary folder removed afterwards, an
// environment variable set for one scope, small file helpers and a bounded
// wait for work that might never end.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace testing_support {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string Str() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Sets (or with nullopt unsets) an environment variable; restores the old
// value when the object goes.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, std::optional<std::string> value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Changes the working folder for one scope.
class ScopedCwd {
 public:
  explicit ScopedCwd(const std::filesystem::path& dir);
  ~ScopedCwd();
  ScopedCwd(const ScopedCwd&) = delete;
  ScopedCwd& operator=(const ScopedCwd&) = delete;

 private:
  std::filesystem::path old_;
};

// Makes every write to a file whose name (as the writer names it, ".tmp"
// included) ends with `suffix` fail as on a full disk, for one scope.
class ScopedWriteFault {
 public:
  explicit ScopedWriteFault(std::string suffix);
  ~ScopedWriteFault();
  ScopedWriteFault(const ScopedWriteFault&) = delete;
  ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

// Runs `write`, which opens `pipe` (a named pipe without a reader), on a
// thread of its own and reports whether it returned within five seconds. A
// writer still waiting then is released by opening the pipe's reading end and
// draining it, so a test of a refusal fails rather than hangs.
bool ReturnsWithoutReader(const std::filesystem::path& pipe, const std::function<void()>& write);

void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

// Runs `work` on a thread of its own and waits at most `limit` for it. When
// it has not ended by then, calls `release`, which must make it end, and
// waits for the rest, so that a fault fails a test instead of hanging it.
// Returns whether `work` ended within the limit.
bool EndsWithin(std::chrono::milliseconds limit, const std::function<void()>& work,
                const std::function<void()>& release);

}  // namespace testing_support
