// The records of a skeletal mesh: bones with their bind pose and vertex
// weights, key frames, mount frames, and the definitions of the animation
// channels its instances play.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/YMatrix4.h"
#include "framework/YVector3.h"
#include "render/YQuaternion.h"

// A position of the mesh (index into its positions) moved by a bone.
struct YSkelWeight {
  std::int32_t position = 0;
  float weight = 0;
};

struct YSkelBone {
  std::int32_t number = 0;   // as authored; kept, not used
  std::int32_t parent = -1;  // an earlier bone, or negative for a root
  YVector3 bindTranslation;
  YQuaternion bindRotation;
  YMatrix4 inverseBind;  // derived from the bind pose
  std::vector<YSkelWeight> weights;
};

// One key frame: the root's position, how many frames (at the instance's
// frame rate) it takes to reach it from the key before, one rotation per bone.
struct YSkelFrame {
  YVector3 root;
  std::int32_t duration = 0;
  std::vector<YQuaternion> rotations;
};

// A frame attached to a bone (where things are held or worn).
struct YSkelMount {
  std::int32_t first = 0;  // as authored; kept, not used
  std::int32_t bone = 0;
  YMatrix4 offset;
};

// How one numbered channel plays: which animation, its default strength and
// fades (seconds), whether it loops, rewinds when stopped, follows the timing
// of a lower channel, and how strongly it moves each bone (empty: fully).
struct YSkelChannelDef {
  std::int32_t animation = -1;  // none until set
  float strength = 1;
  std::int32_t syncChannel = -1;
  float fadeIn = 0, fadeOut = 0;
  bool looping = false;
  bool rewindOnStop = false;
  std::vector<float> boneMask;
};
