#include "render/YSkelMesh.h"

#include <algorithm>
#include <utility>

#include "framework/Log.h"
#include "framework/StreamHelpers.h"
#include "render/MeshBinaryIO.h"

namespace {

constexpr std::size_t kBoneBytes = 40;  // nine values and the weight count
constexpr std::size_t kWeightBytes = 8;
constexpr std::size_t kFrameBytes = 20;  // root, duration, rotation count
constexpr std::size_t kQuaternionBytes = 16;
constexpr std::size_t kMountBytes = 72;
constexpr std::uint8_t kEndMark = 0x1A;

// The arrays of a skeleton, read apart from the mesh until they are checked.
struct Skeleton {
  std::vector<YSkelBone> bones;
  std::vector<YSkelFrame> frames;
  std::vector<std::vector<std::int32_t>> animations;
  std::vector<YSkelMount> mounts;
};

std::string CheckBones(const std::vector<YSkelBone>& bones, std::size_t positions) {
  if (bones.empty()) return "no bones";
  for (std::size_t b = 0; b < bones.size(); ++b) {
    const std::int32_t parent = bones[b].parent;
    if (parent >= 0 && static_cast<std::size_t>(parent) >= b)
      return DescribeRecord("bone %zu: parent %d does not come before it", b, parent);
    for (const YSkelWeight& w : bones[b].weights)
      if (!IndexInside(w.position, positions))
        return DescribeRecord("bone %zu: weight on position %d of %zu", b, w.position, positions);
  }
  return {};
}

std::string Check(const std::vector<YSkelBone>& bones, const std::vector<YSkelFrame>& frames,
                  const std::vector<std::vector<std::int32_t>>& animations,
                  const std::vector<YSkelMount>& mounts, std::size_t positions) {
  std::string error = CheckBones(bones, positions);
  if (!error.empty()) return error;
  for (std::size_t f = 0; f < frames.size(); ++f) {
    if (frames[f].rotations.size() != bones.size())
      return DescribeRecord("frame %zu: %zu rotations for %zu bones", f, frames[f].rotations.size(),
                            bones.size());
    if (frames[f].duration < 0) return DescribeRecord("frame %zu: duration %d", f, frames[f].duration);
  }
  for (std::size_t a = 0; a < animations.size(); ++a)
    for (const std::int32_t frame : animations[a])
      if (!IndexInside(frame, frames.size()))
        return DescribeRecord("animation %zu: frame %d of %zu", a, frame, frames.size());
  for (std::size_t m = 0; m < mounts.size(); ++m)
    if (!IndexInside(mounts[m].bone, bones.size()))
      return DescribeRecord("mount %zu: bone %d of %zu", m, mounts[m].bone, bones.size());
  return {};
}

void WriteQuaternion(OutStream& out, const YQuaternion& q) {
  for (const float value : {q.x, q.y, q.z, q.w}) WriteFloat(out, value);
}

bool ReadQuaternion(InStream& in, YQuaternion& q) {
  for (float* value : {&q.x, &q.y, &q.z, &q.w}) ReadFloat(in, *value);
  return !in.Failed();
}

bool ReadBone(InStream& in, YSkelBone& bone) {
  ReadInt(ReadInt(in, bone.number), bone.parent);
  if (!ReadVector(in, bone.bindTranslation) || !ReadQuaternion(in, bone.bindRotation)) return false;
  return ReadArray(in, bone.weights, kWeightBytes, [&](YSkelWeight& w) {
    ReadFloat(ReadInt(in, w.position), w.weight);
    return !in.Failed();
  });
}

bool ReadFrame(InStream& in, YSkelFrame& frame) {
  if (!ReadVector(in, frame.root) || ReadInt(in, frame.duration).Failed()) return false;
  return ReadArray(in, frame.rotations, kQuaternionBytes,
                   [&](YQuaternion& q) { return ReadQuaternion(in, q); });
}

bool ReadSkeletonArrays(InStream& in, Skeleton& s) {
  return ReadArray(in, s.bones, kBoneBytes, [&](YSkelBone& b) { return ReadBone(in, b); }) &&
         ReadArray(in, s.frames, kFrameBytes, [&](YSkelFrame& f) { return ReadFrame(in, f); }) &&
         ReadArray(in, s.animations, 4,
                   [&](std::vector<std::int32_t>& list) {
                     return ReadArray(in, list, 4, [&](std::int32_t& i) { return !ReadInt(in, i).Failed(); });
                   }) &&
         ReadArray(in, s.mounts, kMountBytes, [&](YSkelMount& m) {
           ReadInt(ReadInt(in, m.first), m.bone);
           return ReadMatrix(in, m.offset);
         });
}

}  // namespace

void YSkelMesh::SetScale(float factor) {
  for (YMeshPosition& p : positions) p.position.Scale(p.position, factor);
  ScalePositions(vertices, positions, 1.0f);
  for (YSkelBone& bone : bones) bone.bindTranslation.Scale(bone.bindTranslation, factor);
  for (YSkelMount& mount : mounts)
    for (int c = 0; c < 3; ++c) mount.offset.m[3][c] *= factor;
  for (YSkelFrame& frame : frames) frame.root.Scale(frame.root, factor);
  BuildBindPose();
}

void YSkelMesh::BuildBindPose() {
  std::vector<YMatrix4> bind(bones.size());
  for (std::size_t b = 0; b < bones.size(); ++b) {
    const YSkelBone& bone = bones[b];
    bind[b] = bone.bindRotation.ToMatrix(bone.bindTranslation);
    if (bone.parent >= 0) bind[static_cast<std::size_t>(bone.parent)].Multiply(bind[b], bind[b]);
  }
  for (std::size_t b = 0; b < bones.size(); ++b) bind[b].Inverse(bones[b].inverseBind);
}

void YSkelMesh::SetChannel(int channel, int syncChannel, int animation, float strength, float fadeIn,
                           float fadeOut, bool looping, bool rewindOnStop) {
  if (channel < 0) {
    Log::Printf("Mesh %s animation channel %d error channel index.", name.c_str(), channel);
    return;
  }
  if (channels.size() <= static_cast<std::size_t>(channel))
    channels.resize(static_cast<std::size_t>(channel) + 1);
  YSkelChannelDef& def = channels[static_cast<std::size_t>(channel)];
  if (syncChannel < channel)
    def.syncChannel = syncChannel;
  else
    Log::Printf("Mesh %s animation channel %d error syncChannel=%d >= curChannel.", name.c_str(), channel,
                syncChannel);
  if (animation >= 0 && static_cast<std::size_t>(animation) < animations.size())
    def.animation = animation;
  else
    Log::Printf("Mesh %s animation channel %d error animation index %d.", name.c_str(), channel, animation);
  def.strength = strength;
  def.fadeIn = fadeIn;
  def.fadeOut = fadeOut;
  def.looping = looping;
  def.rewindOnStop = rewindOnStop;
}

void YSkelMesh::SetChannelMask(int channel, std::span<const float> values) {
  if (channel < 0 || static_cast<std::size_t>(channel) >= channels.size()) return;
  std::vector<float>& mask = channels[static_cast<std::size_t>(channel)].boneMask;
  mask.assign(bones.size(), 1.0f);
  std::copy_n(values.begin(), std::min(values.size(), mask.size()), mask.begin());
}

int YSkelMesh::AddAnimation(std::span<const std::int32_t> frameList) {
  std::vector<std::int32_t> list;
  for (const std::int32_t frame : frameList) {
    if (frame < 0) break;
    if (static_cast<std::size_t>(frame) >= frames.size()) return -1;
    list.push_back(frame);
  }
  animations.push_back(std::move(list));
  return static_cast<int>(animations.size()) - 1;
}

int YSkelMesh::AddAnimationRange(int first, int count) {
  count = std::max(count, 0);
  if (count > 0 && (first < 0 || std::int64_t{first} + count > static_cast<std::int64_t>(frames.size())))
    return -1;
  std::vector<std::int32_t> list(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) list[static_cast<std::size_t>(i)] = first + i;
  animations.push_back(std::move(list));
  return static_cast<int>(animations.size()) - 1;
}

void YSkelMesh::WriteSkeleton(OutStream& out) const {
  WriteInt(out, static_cast<std::int32_t>(bones.size()));
  for (const YSkelBone& bone : bones) {
    WriteInt(WriteInt(out, bone.number), bone.parent);
    WriteVector(out, bone.bindTranslation);
    WriteQuaternion(out, bone.bindRotation);
    WriteInt(out, static_cast<std::int32_t>(bone.weights.size()));
    for (const YSkelWeight& w : bone.weights) WriteFloat(WriteInt(out, w.position), w.weight);
  }
  WriteInt(out, static_cast<std::int32_t>(frames.size()));
  for (const YSkelFrame& frame : frames) {
    WriteVector(out, frame.root);
    WriteInt(out, frame.duration);
    WriteInt(out, static_cast<std::int32_t>(frame.rotations.size()));
    for (const YQuaternion& q : frame.rotations) WriteQuaternion(out, q);
  }
  WriteInt(out, static_cast<std::int32_t>(animations.size()));
  for (const std::vector<std::int32_t>& list : animations) {
    WriteInt(out, static_cast<std::int32_t>(list.size()));
    for (const std::int32_t frame : list) WriteInt(out, frame);
  }
  WriteInt(out, static_cast<std::int32_t>(mounts.size()));
  for (const YSkelMount& mount : mounts) {
    WriteInt(WriteInt(out, mount.first), mount.bone);
    WriteMatrix(out, mount.offset);
  }
  out.Write(&kEndMark, 1);
}

bool YSkelMesh::ReadSkeleton(InStream& in, std::string& error) {
  Skeleton read;
  if (!ReadSkeletonArrays(in, read) || in.Failed()) {
    error = "bad or truncated skeleton";
    return false;
  }
  error = Check(read.bones, read.frames, read.animations, read.mounts, positions.size());
  if (!error.empty()) return false;
  bones = std::move(read.bones);
  frames = std::move(read.frames);
  animations = std::move(read.animations);
  mounts = std::move(read.mounts);
  BuildBindPose();
  return true;
}

std::string YSkelMesh::CheckSkeleton() const {
  return Check(bones, frames, animations, mounts, positions.size());
}
