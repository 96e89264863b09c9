#include "tests/support/TestSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

#include "framework/OutFStream.h"

namespace testing_support {

ScopedTempDir::ScopedTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qvtest-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScopedTempDir::~ScopedTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

ScopedEnv::ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
  if (const char* old = std::getenv(name_.c_str())) old_ = old;
  if (value)
    setenv(name_.c_str(), value->c_str(), 1);
  else
    unsetenv(name_.c_str());
}

ScopedEnv::~ScopedEnv() {
  if (old_)
    setenv(name_.c_str(), old_->c_str(), 1);
  else
    unsetenv(name_.c_str());
}

ScopedCwd::ScopedCwd(const std::filesystem::path& dir) : old_(std::filesystem::current_path()) {
  std::filesystem::current_path(dir);
}

ScopedCwd::~ScopedCwd() {
  std::error_code ec;
  std::filesystem::current_path(old_, ec);
}

ScopedWriteFault::ScopedWriteFault(std::string suffix) {
  OutFStream::SetWriteFault([suffix = std::move(suffix)](std::string_view name) { return name.ends_with(suffix); });
}

ScopedWriteFault::~ScopedWriteFault() { OutFStream::SetWriteFault({}); }

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool ReturnsWithoutReader(const std::filesystem::path& pipe, const std::function<void()>& write) {
  using namespace std::chrono_literals;
  std::packaged_task<void()> task(write);
  std::future<void> done = task.get_future();
  std::thread writer(std::move(task));
  const bool inTime = done.wait_for(5s) == std::future_status::ready;
  if (!inTime) {
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    char sink[4096];
    while (done.wait_for(10ms) != std::future_status::ready) {
      if (reader >= 0) (void)::read(reader, sink, sizeof sink);
    }
    if (reader >= 0) ::close(reader);
  }
  writer.join();
  return inTime;
}

bool EndsWithin(std::chrono::milliseconds limit, const std::function<void()>& work,
                const std::function<void()>& release) {
  std::future<void> done = std::async(std::launch::async, work);
  const bool inTime = done.wait_for(limit) == std::future_status::ready;
  if (!inTime) release();
  done.get();
  return inTime;
}

}  // namespace testing_support
