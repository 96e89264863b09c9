#include "platform/GLFrameRecorder.h"

#include <utility>

namespace platform {

namespace {

constexpr std::uint64_t kOffset = 14695981039346656037ull;  // FNV-1a, 64 bits
constexpr std::uint64_t kPrime = 1099511628211ull;

}  // namespace

void GLFrameRecorder::SetActive(bool active) {
  RunKept();
  active_ = active;
  changed_ = true;
}

void GLFrameRecorder::Hash(const void* bytes, std::size_t size) {
  if (hash_ == 0) hash_ = kOffset;
  const auto* p = static_cast<const unsigned char*>(bytes);
  std::uint64_t h = hash_;
  for (std::size_t i = 0; i < size; ++i) h = (h ^ p[i]) * kPrime;
  hash_ = h;
}

void GLFrameRecorder::RunKept() {
  if (commands_.empty()) return;
  changed_ = true;
  // A command may make the device run what is kept (a texture deleted);
  // take the list first so nothing runs twice.
  std::vector<std::function<void()>> commands = std::exchange(commands_, {});
  for (const auto& command : commands) command();
}

bool GLFrameRecorder::DropIfUnchanged(std::uint64_t extra) {
  HashValue(extra);
  const bool same = !changed_ && hash_ == lastPresented_;
  if (same) {
    commands_.clear();
    ++dropped_;
  } else {
    RunKept();
    lastPresented_ = hash_;
  }
  Reset();
  return same;
}

void GLFrameRecorder::Reset() {
  hash_ = 0;
  changed_ = false;
}

}  // namespace platform
