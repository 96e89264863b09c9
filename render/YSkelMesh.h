// A mesh with a skeleton: bones with a bind pose and per-position weights,
// key frames, animations (lists of key frames), mount frames and the
// definitions of the animation channels that its instances play. Loaded
// once per name by the skeletal mesh cache. Main thread only.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/InStream.h"
#include "framework/OutStream.h"
#include "render/YMesh.h"
#include "render/YSkelRecords.h"

class YSkelMesh : public YMesh {
 public:
  // Cumulative, unlike a static mesh's: the authored positions, the bones'
  // bind translations, the mounts' translations and the key frames' root
  // positions are all multiplied by the factor; the bind pose follows.
  void SetScale(float factor) override;
  // Each bone's bind matrix (its rotation and translation, then its
  // parent's), stored inverted.
  void BuildBindPose();

  // Defines channel `channel` (0 or more), growing the definitions. A sync
  // channel that is not lower, or an animation that does not exist, is
  // logged and keeps the old value; the rest is stored as given.
  void SetChannel(int channel, int syncChannel, int animation, float strength, float fadeIn, float fadeOut,
                  bool looping, bool rewindOnStop);
  // The channel's per-bone strengths; bones past the end of `values` move
  // fully. Nothing for a channel that is not defined.
  void SetChannelMask(int channel, std::span<const float> values);
  // Adds an animation of the key frames listed up to the first negative
  // value, or of `count` frames from `first`. Returns its index, or -1 (and
  // nothing added) when a frame does not exist.
  int AddAnimation(std::span<const std::int32_t> frameList);
  int AddAnimationRange(int first, int count);

  // The skeleton part of the compiled form: bones with weights, frames,
  // animations, mounts, then the byte 0x1A.
  void WriteSkeleton(OutStream& out) const;
  // Reads it all or nothing, checking counts against the bytes left and
  // indices against their arrays, then builds the bind pose. False, the
  // skeleton unchanged, for a damaged file.
  bool ReadSkeleton(InStream& in, std::string& error);
  // Empty when every bone, weight, frame, animation and mount is sound for
  // this mesh; otherwise what is wrong.
  std::string CheckSkeleton() const;

  std::vector<YSkelBone> bones;
  std::vector<YSkelFrame> frames;
  std::vector<std::vector<std::int32_t>> animations;
  std::vector<YSkelChannelDef> channels;
  std::vector<YSkelMount> mounts;
};
