// A placement of a skeletal mesh whose vertices follow a pose: a root
// position and one rotation per bone, set from a key frame or blended from
// the animation channels the instance plays. Each instance keeps its own
// vertices, face normals and mount frames. Main thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/YMatrix4.h"
#include "framework/YVector3.h"
#include "render/YMeshInstance.h"
#include "render/YQuaternion.h"

class YSkelMesh;
struct YSkelChannelDef;

class YSkelMeshInstance : public YMeshInstance {
 public:
  enum State : std::int32_t { kStopped = 0, kFadingIn = 1, kFadingOut = 2, kPlaying = 3 };

  // The running state of one channel.
  struct Channel {
    std::int32_t state = kStopped;
    float strength = 0;
    float weight = 0;              // as the last blend found it
    std::int32_t keyPosition = 0;  // the key being approached, in the frame list
    float timeInKey = 0;           // seconds
    float keyDuration = 0;         // seconds
    float fadeTimer = 0;           // seconds left of the fade
    float fadeInLength = 0;
    float fadeOutLength = 0;
  };

  // The mesh's vertices at `scale` (kept through skinning), one channel
  // state per channel the mesh defines by now, 50 frames a second.
  YSkelMeshInstance(YSkelMesh* mesh, float scale, std::uint32_t drawMask);

  // Moves the vertices to the pose: each position is the weighted sum of
  // where its bones carry it; the mounts' frames follow. The vertex normals
  // are left as they are.
  void UpdateSkin();
  // The pose of key frame `frame`, skinned, with the face normals and, when
  // asked, the vertex normals recomputed. Nothing for a frame that does not
  // exist.
  void SetPose(int frame, bool withNormals);

  // Starts (or keeps fading in) a channel. A negative fade or strength takes
  // the definition's. Nothing for a channel out of range or without frames.
  void StartChannel(int channel, float fade, float strength);
  // Fades a channel out; a negative fade takes the definition's.
  void StopChannel(int channel, float fade);
  // Advances every running channel by `seconds`: fades, key frames, the
  // end of animations that do not loop, channels that follow another.
  void UpdateChannels(float seconds);
  // When channels moved since the last blend: the pose mixed from every
  // channel with weight, by bone, skinned with new normals.
  void BlendChannels();
  // The channel's weight now (0 for a stopped or unknown channel).
  float ChannelWeight(int channel) const;

  YVector3 rootPosition;
  std::vector<YQuaternion> rotations;  // one per bone
  std::vector<Channel> channels;       // one per channel definition
  std::vector<YMatrix4> mountWorld;    // one per mount, set by skinning
  float frameRate = 50.0f;
  bool blendPending = false;

 private:
  const std::vector<std::int32_t>* FrameList(const YSkelChannelDef& def) const;
  float KeySeconds(const std::vector<std::int32_t>& list, std::size_t key) const;
  float SecondsFrom(const std::vector<std::int32_t>& list, std::size_t key) const;
  void Stop(Channel& channel, const YSkelChannelDef& def) const;
  bool Advance(std::size_t index, float seconds);
  bool AdvanceKeys(Channel& channel, const YSkelChannelDef& def, const std::vector<std::int32_t>& list,
                   float seconds) const;
  void StartFromStopped(Channel& channel, const YSkelChannelDef& def, const std::vector<std::int32_t>& list,
                        float fade);
  void AddChannelPose(const Channel& channel, const YSkelChannelDef& def,
                      const std::vector<float>& boneWeights, YVector3& root,
                      std::vector<YQuaternion>& pose) const;

  YSkelMesh* skel_;
  // Scratch of the skinning and the blend, kept to spare allocations.
  std::vector<YMatrix4> boneWorld_;
  std::vector<YVector3> skinned_;
  std::vector<float> boneWeights_;
};
