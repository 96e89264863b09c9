// YSkelMeshInstance: the animation channels. Each running channel fades in,
// plays its frame list (looping or not, or in step with a lower channel)
// and fades out; the blend mixes the channels' poses by weight, per bone.
#include <algorithm>
#include <cmath>

#include "render/YSkelMesh.h"
#include "render/YSkelMeshInstance.h"

namespace {

// a / b, or 0 for a fade of no length.
float Ratio(float a, float b) {
  return b > 0 ? a / b : 0.0f;
}

YVector3 Lerp(const YVector3& p0, const YVector3& p1, float t) {
  return YVector3((p1.x - p0.x) * t + p0.x, (p1.y - p0.y) * t + p0.y, (p1.z - p0.z) * t + p0.z);
}

void AddScaled(YQuaternion& sum, const YQuaternion& q, float s) {
  sum.x += q.x * s;
  sum.y += q.y * s;
  sum.z += q.z * s;
  sum.w += q.w * s;
}

// A fade cut shorter (only ever shorter): a fade that has less left than
// the new length keeps its progress, scaled; one with more starts anew.
void ShortenFade(float& timer, float& length, float fade) {
  if (fade >= length) return;
  if (timer <= fade) {
    timer = timer / length * fade;
    length = fade;
  } else {
    timer = length = fade;
  }
}

// Fade lengths are never negative.
float FadeOf(float requested, float fallback) {
  return std::max(requested < 0 ? fallback : requested, 0.0f);
}

}  // namespace

const std::vector<std::int32_t>* YSkelMeshInstance::FrameList(const YSkelChannelDef& def) const {
  if (def.animation < 0 || static_cast<std::size_t>(def.animation) >= skel_->animations.size())
    return nullptr;
  const std::vector<std::int32_t>& list = skel_->animations[static_cast<std::size_t>(def.animation)];
  return list.empty() ? nullptr : &list;
}

float YSkelMeshInstance::KeySeconds(const std::vector<std::int32_t>& list, std::size_t key) const {
  const float frames = static_cast<float>(skel_->frames[static_cast<std::size_t>(list[key])].duration);
  return frameRate > 0 ? frames / frameRate : 0.0f;
}

float YSkelMeshInstance::SecondsFrom(const std::vector<std::int32_t>& list, std::size_t key) const {
  float seconds = 0;
  for (std::size_t k = key; k < list.size(); ++k) seconds += KeySeconds(list, k);
  return seconds;
}

void YSkelMeshInstance::Stop(Channel& channel, const YSkelChannelDef& def) const {
  channel.state = kStopped;
  channel.timeInKey = 0;
  if (def.rewindOnStop) channel.keyPosition = 0;
}

float YSkelMeshInstance::ChannelWeight(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= channels.size()) return 0;
  const Channel& c = channels[static_cast<std::size_t>(index)];
  switch (c.state) {
    case kFadingIn:
      return c.fadeInLength > 0 ? (1 - c.fadeTimer / c.fadeInLength) * c.strength : c.strength;
    case kFadingOut:
      return Ratio(c.fadeTimer, c.fadeOutLength) * c.strength;
    case kPlaying:
      return c.strength;
    default:
      return 0;
  }
}

// ---- Starting and stopping -------------------------------------------------------

void YSkelMeshInstance::StartChannel(int index, float fade, float strength) {
  if (index < 0 || static_cast<std::size_t>(index) >= channels.size()) return;
  const YSkelChannelDef& def = skel_->channels[static_cast<std::size_t>(index)];
  const std::vector<std::int32_t>* list = FrameList(def);
  if (list == nullptr) return;
  Channel& c = channels[static_cast<std::size_t>(index)];
  fade = FadeOf(fade, def.fadeIn);
  c.strength = strength < 0 ? def.strength : strength;
  switch (c.state) {
    case kStopped:
      StartFromStopped(c, def, *list, fade);
      break;
    case kFadingIn:
      ShortenFade(c.fadeTimer, c.fadeInLength, fade);
      break;
    case kFadingOut: {
      const float t = Ratio(c.fadeTimer, c.fadeOutLength);
      c.state = kFadingIn;
      c.fadeInLength = fade;
      c.fadeTimer = (1 - t) * fade;  // the weight goes on from where the fade-out left it
      break;
    }
    default:
      break;
  }
}

void YSkelMeshInstance::StartFromStopped(Channel& c, const YSkelChannelDef& def,
                                         const std::vector<std::int32_t>& list, float fade) {
  c.state = kFadingIn;
  c.fadeTimer = c.fadeInLength = fade;
  c.fadeOutLength = FadeOf(def.fadeOut, 0);
  const std::int32_t sync = def.syncChannel;
  if (sync >= 0 && static_cast<std::size_t>(sync) < channels.size()) {
    const Channel& leader = channels[static_cast<std::size_t>(sync)];
    c.keyPosition = leader.keyPosition;
    c.timeInKey = leader.timeInKey;
    c.keyDuration = leader.keyDuration;
  } else {
    c.timeInKey = 0;
    c.keyPosition = c.keyPosition + 1;
  }
  c.keyPosition =
      static_cast<std::int32_t>(static_cast<std::size_t>(std::max(c.keyPosition, 0)) % list.size());
  if (sync < 0) c.keyDuration = KeySeconds(list, static_cast<std::size_t>(c.keyPosition));
}

void YSkelMeshInstance::StopChannel(int index, float fade) {
  if (index < 0 || static_cast<std::size_t>(index) >= channels.size()) return;
  const YSkelChannelDef& def = skel_->channels[static_cast<std::size_t>(index)];
  Channel& c = channels[static_cast<std::size_t>(index)];
  fade = FadeOf(fade, def.fadeOut);
  switch (c.state) {
    case kFadingIn: {
      const float t = Ratio(c.fadeTimer, c.fadeInLength);
      c.state = kFadingOut;
      c.fadeOutLength = fade;
      c.fadeTimer = (1 - t) * fade;
      break;
    }
    case kFadingOut:
      ShortenFade(c.fadeTimer, c.fadeOutLength, fade);
      break;
    case kPlaying:
      c.state = kFadingOut;
      c.fadeTimer = c.fadeOutLength = fade;
      break;
    default:
      break;
  }
}

// ---- Advancing ---------------------------------------------------------------------

void YSkelMeshInstance::UpdateChannels(float seconds) {
  for (std::size_t i = 0; i < channels.size(); ++i) {
    if (channels[i].state == kStopped) continue;
    blendPending = true;
    Advance(i, seconds);
  }
}

// One channel's step; false when it stopped.
bool YSkelMeshInstance::Advance(std::size_t index, float dt) {
  Channel& c = channels[index];
  const YSkelChannelDef& def = skel_->channels[index];
  const std::vector<std::int32_t>* list = FrameList(def);
  if (list == nullptr) {
    Stop(c, def);
    return false;
  }
  if (c.state == kFadingIn) {
    c.fadeTimer -= dt;
    if (c.fadeTimer < 0) c.state = kPlaying;
  }
  if (!def.looping && c.state != kFadingOut) {
    const float remaining =
        SecondsFrom(*list, static_cast<std::size_t>(c.keyPosition) % list->size()) - (dt + c.timeInKey);
    if (remaining < 0) {
      Stop(c, def);
      return false;
    }
    if (remaining < c.fadeOutLength) {  // the fade ends with the animation
      c.fadeTimer = remaining;
      c.state = kFadingOut;
    }
  }
  if (c.state == kFadingOut) {
    c.fadeTimer -= dt;
    if (c.fadeTimer < 0) {
      Stop(c, def);
      return false;
    }
  }
  const std::int32_t sync = def.syncChannel;
  if (sync < 0 || static_cast<std::size_t>(sync) >= index) return AdvanceKeys(c, def, *list, dt);
  const Channel& leader = channels[static_cast<std::size_t>(sync)];
  c.state = leader.state;
  c.keyPosition =
      static_cast<std::int32_t>(static_cast<std::size_t>(std::max(leader.keyPosition, 0)) % list->size());
  c.timeInKey = leader.timeInKey;
  c.keyDuration = leader.keyDuration;
  return c.state != kStopped;
}

// Steps the keys passed in `dt`. A looping list first drops whole rounds,
// and a list whose keys all take no time holds still, so this always ends.
bool YSkelMeshInstance::AdvanceKeys(Channel& c, const YSkelChannelDef& def,
                                    const std::vector<std::int32_t>& list, float dt) const {
  c.timeInKey += dt;
  if (!(c.timeInKey >= c.keyDuration)) return true;
  const float round = SecondsFrom(list, 0);
  if (def.looping && !(round > 0)) {
    c.timeInKey = 0;
    return true;
  }
  if (def.looping && c.timeInKey - c.keyDuration >= round)
    c.timeInKey = c.keyDuration + std::fmod(c.timeInKey - c.keyDuration, round);
  do {
    if (static_cast<std::size_t>(++c.keyPosition) >= list.size()) {
      if (!def.looping) {
        Stop(c, def);
        return false;
      }
      c.keyPosition = 0;
    }
    c.timeInKey -= c.keyDuration;
    c.keyDuration = KeySeconds(list, static_cast<std::size_t>(c.keyPosition));
  } while (c.keyDuration <= c.timeInKey);
  return true;
}

// ---- Blending ------------------------------------------------------------------------

void YSkelMeshInstance::BlendChannels() {
  if (!blendPending) return;
  blendPending = false;
  const std::size_t boneCount = skel_->bones.size();
  boneWeights_.assign(boneCount, 0.0f);
  float sum = 0;
  for (std::size_t i = 0; i < channels.size(); ++i) {
    Channel& c = channels[i];
    c.weight = ChannelWeight(static_cast<int>(i));
    if (!(c.weight > 0)) continue;
    const std::vector<float>& mask = skel_->channels[i].boneMask;
    for (std::size_t b = 0; b < boneCount; ++b) boneWeights_[b] += c.weight * (mask.empty() ? 1.0f : mask[b]);
    sum += c.weight;
  }
  if (sum == 0) return;

  YVector3 root;
  std::vector<YQuaternion> pose(boneCount, YQuaternion(0, 0, 0, 0));
  for (std::size_t i = 0; i < channels.size(); ++i)
    if (channels[i].weight > 0) AddChannelPose(channels[i], skel_->channels[i], boneWeights_, root, pose);
  rootPosition = root;
  for (YQuaternion& q : pose) q.Normalize();  // a bone no channel moved stays zero: the identity
  rotations = std::move(pose);
  UpdateSkin();
  YMeshData::ComputeFaceNormals(vertices, ownFaces_);
  YMeshData::ComputeVertexNormals(vertices, ownFaces_, skel_->normalSets);
}

// Adds the channel's share of the root and of each bone's rotation: its pose
// between the key before and the key it approaches, by its weight over the
// bone's weight sum.
void YSkelMeshInstance::AddChannelPose(const Channel& c, const YSkelChannelDef& def,
                                       const std::vector<float>& boneWeights, YVector3& root,
                                       std::vector<YQuaternion>& pose) const {
  const std::vector<std::int32_t>* list = FrameList(def);
  if (list == nullptr) return;
  const std::size_t k = static_cast<std::size_t>(std::max(c.keyPosition, 0)) % list->size();
  const YSkelFrame& previous =
      skel_->frames[static_cast<std::size_t>((*list)[k == 0 ? list->size() - 1 : k - 1])];
  const YSkelFrame& next = skel_->frames[static_cast<std::size_t>((*list)[k])];
  const float t = c.keyDuration > 0 ? std::clamp(c.timeInKey / c.keyDuration, 0.0f, 1.0f) : 1.0f;
  const std::vector<float>& mask = def.boneMask;
  const auto share = [&](std::size_t b) { return mask.empty() ? 1.0f : mask[b]; };
  if (!boneWeights.empty() && share(0) > 0 && boneWeights[0] > 0) {
    YVector3 moved = Lerp(previous.root, next.root, t);
    moved.Scale(moved, share(0) * c.weight / boneWeights[0]);
    root.Add(root, moved);
  }
  for (std::size_t b = 0; b < pose.size(); ++b) {
    if (!(share(b) > 0) || !(boneWeights[b] > 0)) continue;
    AddScaled(pose[b], YQuaternion::Slerp(previous.rotations[b], next.rotations[b], t),
              c.weight * share(b) / boneWeights[b]);
  }
}
