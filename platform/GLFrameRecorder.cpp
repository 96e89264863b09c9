#include "platform/GLFrameRecorder.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

constexpr std::uint64_t kOffset = 14695981039346656037ull;  // FNV-1a, 64 bits
constexpr std::uint64_t kPrime = 1099511628211ull;

void HashInto(std::uint64_t& hash, const void* bytes, std::size_t size) {
  if (hash == 0) hash = kOffset;
  const auto* p = static_cast<const unsigned char*>(bytes);
  std::uint64_t h = hash;
  for (std::size_t i = 0; i < size; ++i) h = (h ^ p[i]) * kPrime;
  hash = h;
}

// A state's slot and value as one well-spread number, so that the sum of
// all states changes with any one of them (splitmix64's finish).
std::uint64_t MixState(std::uint64_t key, std::uint64_t value) {
  std::uint64_t z = key * 0x9E3779B97F4A7C15ull ^ value;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

void GLFrameRecorder::HashBytes(std::uint64_t& hash, const void* bytes, std::size_t size) {
  HashInto(hash, bytes, size);
}

void GLFrameRecorder::NoteState(std::uint64_t key, std::uint64_t value) {
  const std::uint64_t mixed = MixState(key, value);
  const auto [at, added] = states_.try_emplace(key, mixed);
  if (active_) stateChanges_.push_back({key, at->second, !added});
  const bool inheritedOnce = !still_ && !groups_.empty() && !groups_.back().draws &&
                             std::find(setInGroup_.begin(), setInGroup_.end(), key) == setInGroup_.end();
  if (inheritedOnce) setInGroup_.push_back(key);
  if (inheritedOnce && !added) inherited_ -= at->second;
  if (!added) statesSum_ -= std::exchange(at->second, mixed);
  statesSum_ += mixed;
}

// The states as the last commands run left them on the device.
void GLFrameRecorder::UndoStates() {
  for (auto change = stateChanges_.rbegin(); change != stateChanges_.rend(); ++change) {
    const auto at = states_.find(change->key);
    statesSum_ -= at->second;
    if (!change->known) {
      states_.erase(at);
      continue;
    }
    at->second = change->was;
    statesSum_ += change->was;
  }
  stateChanges_.clear();
}

void GLFrameRecorder::SetActive(bool active) {
  RunKept();
  active_ = active;
  changed_ = true;
}

void GLFrameRecorder::Hash(const void* bytes, std::size_t size) {
  if (spotLocal_) HashInto(spotHash_, bytes, size);
  if (spotLocal_ && still_) return;
  std::uint64_t& hash = still_ ? (slow_ ? stillSlowHash_ : stillHash_) : (slow_ ? slowHash_ : hash_);
  if (!still_ && !groups_.empty() && !spotLocal_) {
    Group& group = groups_.back();
    HashInto(slow_ ? group.slowHash : group.hash, bytes, size);
  }
  HashInto(hash, bytes, size);
}

void GLFrameRecorder::BeginGroup(bool scissored, const PixelRect& rect) {
  if (!active_ || still_) return;
  EndSpot();
  groups_.push_back({scissored, scissored ? rect : PixelRect{}, kOffset, kOffset, false, {}});
  inherited_ = statesSum_;
  setInGroup_.clear();
}

// At a group's first draw, the states it inherited and has not set itself
// join its hash: they decide its pixels as much as its own calls.
void GLFrameRecorder::NoteDraw() {
  if (still_ || groups_.empty()) return;
  Group& group = groups_.back();
  if (!group.draws) HashInto(group.hash, &inherited_, sizeof inherited_);
  group.draws = true;
}

void GLFrameRecorder::BeginSpot(const PixelRect& rect, std::uint64_t localKinds) {
  EndSpot();
  if (!active_ || (!still_ && groups_.empty())) return;
  spotLocal_ = false;
  localKinds_ = localKinds;
  HashValue(rect);
  inSpot_ = true;
  spotHash_ = kOffset;
  (still_ ? spots_ : groups_.back().spots).push_back({rect, 0});
}

void GLFrameRecorder::EndSpot() {
  if (!inSpot_) return;
  inSpot_ = false;
  spotLocal_ = false;
  if (!still_) {
    groups_.back().spots.back().hash = spotHash_;
    return;
  }
  spots_.back().hash = spotHash_;
  spotsHash_ = (spotsHash_ ^ spotHash_) * kPrime + 1;
}

std::vector<PixelRect> GLFrameRecorder::ChangedSpots() const {
  std::vector<PixelRect> changed;
  if (spots_.size() != lastSpots_.size()) return changed;
  for (std::size_t i = 0; i < spots_.size(); ++i) {
    if (!(spots_[i].rect == lastSpots_[i].rect)) return {};
    if (spots_[i].hash != lastSpots_[i].hash) changed.push_back(spots_[i].rect);
  }
  return changed;
}

// Run before the present, the still layer is drawn where it goes (and the
// frame, changed, draws it again).
void GLFrameRecorder::RunKept() {
  if (commands_.empty()) return;
  changed_ = true;
  RunCommands();
}

// A layer drawn again in parts runs its commands once for each part.
void GLFrameRecorder::RunCommands() {
  // A command may make the device run what is kept (a texture deleted);
  // take the list first so nothing runs twice.
  std::vector<std::function<void()>> commands = std::exchange(commands_, {});
  stateChanges_.clear();
  const std::size_t begin = std::exchange(stillBegin_, kNone);
  const std::size_t passes = stillUse_ == StillUse::Redraw && begin != kNone ? redrawPasses_ : 1;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    commands[i]();
    if (i + 1 == stillEnd_ && begin != kNone && passes > 1)
      for (std::size_t pass = 1; pass < passes; ++pass)
        for (std::size_t j = begin; j < stillEnd_; ++j) commands[j]();
  }
}

// A held frame leaves the last presented hashes as they are, so the slow
// drawing's change shows with the next frame presented.
bool GLFrameRecorder::DropIfUnchanged(std::uint64_t extra, bool holdSlow, bool keptFresh) {
  slow_ = false;
  SetStill(false);
  lastHadStill_ = hasStill_;
  HashValue(extra);
  calm_ = !changed_ && hash_ == lastPresented_ && stillHash_ == lastStill_ && spotsHash_ == lastSpotsHash_;
  slowOnly_ = calm_;
  const bool same = calm_ && slowHash_ == lastSlow_ && stillSlowHash_ == lastStillSlow_;
  const bool drop = same || (calm_ && holdSlow);
  if (drop) {
    commands_.clear();
    UndoStates();
    ++(same ? dropped_ : held_);
  } else {
    stillUse_ = ChooseStillUse(keptFresh);
    if (stillUse_ != StillUse::Redraw) heldGroups_.clear();
    calm_ = calm_ || stillUse_ == StillUse::Restore || stillUse_ == StillUse::Redraw;
    RunCommands();
    stillUse_ = StillUse::Draw;
    lastPresented_ = hash_;
    lastSlow_ = slowHash_;
    lastStill_ = stillHash_;
    lastStillSlow_ = stillSlowHash_;
    lastSpots_ = spots_;
    lastSpotsHash_ = spotsHash_;
    KeepShownGroups();
  }
  Reset();
  return drop;
}

// A still layer that stayed the same from the last presented frame to
// this one is likely to stay so: it is kept then, and drawn straight to
// the back buffer while it changes from frame to frame. Only slow drawing
// inside the layer can make the kept picture stale; slow drawing over it
// is drawn anew in every frame.
GLFrameRecorder::StillUse GLFrameRecorder::ChooseStillUse(bool keptFresh) {
  if (!hasStill_ || changed_) {
    keptValid_ = false;
    return hasStill_ && fresh_ ? StillUse::Fresh : StillUse::Draw;
  }
  if (redrawPasses_ > 0 && stillHash_ == lastStill_ && stillSlowHash_ == lastStillSlow_) return StillUse::Redraw;
  if (keptValid_ && stillHash_ == keptStill_ && spotsHash_ == keptSpots_ &&
      (stillSlowHash_ == keptSlow_ || keptFresh))
    return StillUse::Restore;
  if (stillHash_ != lastStill_ || spotsHash_ != lastSpotsHash_) return fresh_ ? StillUse::Fresh : StillUse::Draw;
  if (flat_) return StillUse::Fresh;
  keptValid_ = true;
  keptStill_ = stillHash_;
  keptSpots_ = spotsHash_;
  keptSlow_ = stillSlowHash_;
  return StillUse::Keep;
}

// A group left standing shows what it showed when it was last drawn.
void GLFrameRecorder::KeepShownGroups() {
  for (std::size_t i = 0; i < groups_.size() && i < heldGroups_.size() && i < shownGroups_.size(); ++i)
    if (heldGroups_[i]) groups_[i] = shownGroups_[i];
  shownGroups_ = groups_;
}

void GLFrameRecorder::Reset() {
  hash_ = 0;
  slowHash_ = 0;
  stillHash_ = 0;
  stillSlowHash_ = 0;
  hasStill_ = false;
  changed_ = false;
  spots_.clear();
  spotsHash_ = 0;
  groups_.clear();
  heldGroups_.clear();
  stillBegin_ = kNone;
  stillEnd_ = 0;
}

}  // namespace platform
