// Holds back a frame's device work until it is presented, so that a frame
// drawing exactly what the last presented one drew costs nothing: its calls
// (and their data) are hashed as they come, and at the present an unchanged
// frame is dropped unrun while the window keeps showing the same picture.
// Whatever changes what a call means (a texture or buffer made, deleted or
// refilled, the window uncovered) marks the frame as changed. Calls made
// while slow drawing is on (a background that moves slower than the eye
// can tell) hash apart: a frame that differs from the last presented one
// only in those may be held back for a while. Calls of the still layer (the
// start of a frame that seldom changes) hash apart too: while they stay the
// same the device may keep their picture and restore it instead of drawing
// them (StillUse). Inside the still layer, spots (parts whose look follows
// the pointer, within a known rectangle) hash their draws and material
// apart: a layer that changed only there is drawn again in their
// rectangles alone (ChangedSpots). Over the layer, the calls between two
// scissor changes form groups hashed on their own too (Group), so that a
// device may leave one that draws what it last showed as it stands.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "platform/GLChangedAreas.h"

namespace platform {

class GLFrameRecorder {
 public:
  // Off: every call runs at once (Add returns false).
  void SetActive(bool active);
  bool Active() const { return active_; }

  // Keeps `command` for the present when active, hashing the call's kind and
  // its arguments' bytes (which must say everything the command does);
  // false when inactive (the caller runs the command itself).
  template <typename Command, typename... Args>
  bool Add(std::uint32_t kind, Command&& command, const Args&... args) {
    if (!active_) return false;
    spotLocal_ = inSpot_ && kind < 64 && (localKinds_ >> kind & 1) != 0;
    Hash(&kind, sizeof kind);
    (HashValue(args), ...);
    if (still_ && stillBegin_ == kNone) stillBegin_ = commands_.size();
    commands_.emplace_back(std::forward<Command>(command));
    if (still_) stillEnd_ = commands_.size();
    return true;
  }
  // Add for a call that sets one state of the device, named by `slot`
  // within `kind`, to what its arguments say. A group hashes the states
  // it inherits (those it has not set before its first draw), so that it
  // stands only while they are as they were. States are followed whether
  // or not frames are kept.
  template <typename Command, typename... Args>
  bool AddState(std::uint32_t kind, std::uint64_t slot, Command&& command, const Args&... args) {
    std::uint64_t value = 0;
    (HashValueInto(value, args), ...);
    NoteState(std::uint64_t{kind} << 48 ^ slot, value);
    return Add(kind, std::forward<Command>(command), args...);
  }
  // Hashes data a kept command refers to (vertices).
  void Hash(const void* bytes, std::size_t size);
  // Calls from now on hash as slow drawing (on) or as the rest (off).
  void SetSlow(bool slow) { slow_ = slow; }
  // Calls from now on belong to the still layer (on) or not (off).
  void SetStill(bool still) {
    if (!still) EndSpot();
    still_ = still;
    hasStill_ = hasStill_ || still;
  }
  // Calls from now on to EndSpot draw inside `rect` alone (the rectangle
  // itself hashes with the still layer); those of the kinds in
  // `localKinds` (a mask of 1 << kind, kinds below 64) hash apart, as the
  // spot's own: they must leave the states that follow the spot alike in
  // every look of it. Outside the still layer a spot's calls hash apart
  // from its group's (the frame's hash keeps them).
  void BeginSpot(const PixelRect& rect, std::uint64_t localKinds);
  void EndSpot();
  // The rectangles of the spots whose calls changed from the last
  // presented frame, when the frame's spots lie where those did; else none.
  std::vector<PixelRect> ChangedSpots() const;

  struct Spot {
    PixelRect rect;
    std::uint64_t hash = 0;
  };
  // Outside the still layer, the calls from a scissor change to the next
  // form a group, hashed on its own too (its slow drawing and its spots
  // apart) from the states it inherits (AddState), so that a device may
  // leave one that draws what it drew last as it stands.
  struct Group {
    bool scissored = false;
    PixelRect rect;
    std::uint64_t hash = 0;
    std::uint64_t slowHash = 0;
    bool draws = false;  // draws or clears anything
    std::vector<Spot> spots;
  };
  // A scissor change outside the still layer starts a group.
  void BeginGroup(bool scissored, const PixelRect& rect);
  // The call just added draws or clears.
  void NoteDraw();
  bool GroupHeld(std::size_t group) const { return group < heldGroups_.size() && heldGroups_[group]; }
  const std::vector<Group>& Groups() const { return groups_; }
  // As the window last showed them: a group the device left standing
  // keeps the look it had when it was drawn.
  const std::vector<Group>& ShownGroups() const { return shownGroups_; }
  // The groups of the frame being presented that the device leaves as
  // they stand (none unless set before the present).
  void SetHeldGroups(std::vector<bool> held) { heldGroups_ = std::move(held); }

  // How the still layer's calls run: drawn where they go (Draw), drawn
  // into the kept picture which then goes onto the back buffer (Keep), or
  // run without drawing anything while the kept picture, still equal to
  // what they draw, goes onto the back buffer (Restore). Where the back
  // buffer outlives a present, a flat layer is instead drawn onto it
  // (Fresh) and, while it stays the same and the back buffer holds it,
  // drawn again only in the few rectangles frames changed over it (Redraw:
  // its calls run once for each, see SetRedraw). Set while a present runs
  // the kept commands; Draw at any other time.
  enum class StillUse { Draw, Keep, Restore, Fresh, Redraw };
  StillUse Still() const { return stillUse_; }
  // The device has no kept picture (none could be made, or it was lost):
  // the next still layer is drawn again.
  void ForgetKept() { keptValid_ = false; }
  // For the next present: whether a changed still layer is drawn where the
  // back buffer keeps it (`fresh`), an unchanged one too rather than kept
  // (`flat`: the last one drawn so needed no depth or stencil), and how
  // many times its calls run to draw it again in parts (0: it cannot be).
  void SetRedraw(bool fresh, bool flat, std::size_t passes) {
    fresh_ = fresh;
    flat_ = fresh && flat;
    redrawPasses_ = passes;
  }

  // Runs the kept commands now, in order; the frame then counts as changed.
  void RunKept();
  // The frame differs from the last presented one whatever its calls.
  void MarkChanged() { changed_ = true; }

  // At the present: true when the frame equals the last presented one, or
  // when it differs only in slow drawing and `holdSlow` is set (its kept
  // commands are then dropped); otherwise runs them and remembers the
  // frame. `extra` joins the hash (the back buffer's size). The still
  // layer is restored when its calls equal the kept picture's, but for
  // slow drawing inside it while `keptFresh` (the kept picture is recent
  // enough); it is kept when they equal the last presented frame's, drawn
  // otherwise.
  bool DropIfUnchanged(std::uint64_t extra, bool holdSlow, bool keptFresh);
  std::uint64_t DroppedFrames() const { return dropped_; }
  // Frames held back because only their slow drawing changed.
  std::uint64_t HeldFrames() const { return held_; }
  // The last frame at a present had a still layer.
  bool LastFrameStill() const { return lastHadStill_; }
  // The last frame at a present drew nothing new outside slow drawing, or
  // restored its still layer (only what is drawn over it moved).
  bool LastFrameCalm() const { return calm_; }
  // The last frame at a present drew nothing new outside slow drawing.
  bool LastFrameSlowOnly() const { return slowOnly_; }

 private:
  template <typename T>
  void HashValue(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    Hash(&value, sizeof value);
  }
  template <typename T>
  static void HashValueInto(std::uint64_t& hash, const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    HashBytes(hash, &value, sizeof value);
  }
  static void HashBytes(std::uint64_t& hash, const void* bytes, std::size_t size);
  void NoteState(std::uint64_t key, std::uint64_t value);
  void UndoStates();
  void Reset();
  void RunCommands();
  StillUse ChooseStillUse(bool keptFresh);
  void KeepShownGroups();

  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  bool active_ = false;
  bool changed_ = true;
  bool slow_ = false;
  bool calm_ = false;
  bool slowOnly_ = false;
  bool still_ = false;
  bool hasStill_ = false;
  bool lastHadStill_ = false;
  bool keptValid_ = false;
  bool fresh_ = false;
  bool flat_ = false;
  std::size_t redrawPasses_ = 0;
  std::size_t stillBegin_ = kNone;  // the still layer's commands
  std::size_t stillEnd_ = 0;
  StillUse stillUse_ = StillUse::Draw;
  std::uint64_t stillHash_ = 0;
  std::uint64_t lastStill_ = 0;
  std::uint64_t keptStill_ = 0;
  std::uint64_t keptSlow_ = 0;  // the kept layer's own slow drawing
  std::uint64_t hash_ = 0;
  std::uint64_t slowHash_ = 0;
  std::uint64_t lastPresented_ = 0;
  std::uint64_t lastSlow_ = 0;
  std::uint64_t stillSlowHash_ = 0;  // slow drawing inside the still layer
  std::uint64_t lastStillSlow_ = 0;
  bool inSpot_ = false;
  bool spotLocal_ = false;  // the last call hashes with its spot
  std::uint64_t localKinds_ = 0;
  std::uint64_t spotHash_ = 0;  // of the spot being recorded
  std::vector<Spot> spots_, lastSpots_;
  std::uint64_t spotsHash_ = 0;  // all spots' calls, for the choices that draw whole
  std::uint64_t lastSpotsHash_ = 0;
  std::uint64_t keptSpots_ = 0;
  // The device's states as the calls set them (the slot's key to a mix of
  // it and its value) and their sum; what they were before each call kept
  // since commands last ran, undone when a frame is dropped unrun.
  struct StateChange {
    std::uint64_t key = 0;
    std::uint64_t was = 0;
    bool known = false;
  };
  std::unordered_map<std::uint64_t, std::uint64_t> states_;
  std::uint64_t statesSum_ = 0;
  std::vector<StateChange> stateChanges_;
  // Of the group being recorded before its first draw: the sum of the
  // states it inherits, and the slots it set itself.
  std::uint64_t inherited_ = 0;
  std::vector<std::uint64_t> setInGroup_;
  std::vector<Group> groups_, shownGroups_;
  std::vector<bool> heldGroups_;
  std::uint64_t dropped_ = 0;
  std::uint64_t held_ = 0;
  std::vector<std::function<void()>> commands_;
};

}  // namespace platform
