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
  std::uint64_t& hash = slow_ ? slowHash_ : hash_;
  if (hash == 0) hash = kOffset;
  const auto* p = static_cast<const unsigned char*>(bytes);
  std::uint64_t h = hash;
  for (std::size_t i = 0; i < size; ++i) h = (h ^ p[i]) * kPrime;
  hash = h;
}

void GLFrameRecorder::RunKept() {
  if (commands_.empty()) return;
  changed_ = true;
  // A command may make the device run what is kept (a texture deleted);
  // take the list first so nothing runs twice.
  std::vector<std::function<void()>> commands = std::exchange(commands_, {});
  for (const auto& command : commands) command();
}

// A held frame leaves the last presented hashes as they are, so the slow
// drawing's change shows with the next frame presented.
bool GLFrameRecorder::DropIfUnchanged(std::uint64_t extra, bool holdSlow) {
  slow_ = false;
  HashValue(extra);
  calm_ = !changed_ && hash_ == lastPresented_;
  const bool same = calm_ && slowHash_ == lastSlow_;
  const bool drop = same || (calm_ && holdSlow);
  if (drop) {
    commands_.clear();
    ++(same ? dropped_ : held_);
  } else {
    RunKept();
    lastPresented_ = hash_;
    lastSlow_ = slowHash_;
  }
  Reset();
  return drop;
}

void GLFrameRecorder::Reset() {
  hash_ = 0;
  slowHash_ = 0;
  changed_ = false;
}

}  // namespace platform
