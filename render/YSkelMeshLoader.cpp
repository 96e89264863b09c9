#include "render/YSkelMeshLoader.h"

#include <limits>

#include "framework/FileAlerts.h"
#include "framework/FileUtils.h"
#include "framework/InFStream.h"
#include "framework/Log.h"
#include "framework/OutFStream.h"
#include "platform/FileSystem.h"
#include "render/YSkelMesh.h"

namespace {

bool ReadCompiledFile(YSkelMesh& mesh, const std::string& compiled) {
  InFStream in(compiled);
  std::string error = "cannot be opened";
  if (!in.Failed() && mesh.ReadCompiled(in, error) && mesh.ReadSkeleton(in, error)) return true;
  mesh.Clear();
  Log::Printf("Compiled mesh %s rejected: %s", compiled.c_str(), error.c_str());
  return false;
}

void Compile(const YSkelMesh& mesh, const std::string& compiled) {
  OutFStream out(compiled, true);
  mesh.WriteCompiled(out);
  mesh.WriteSkeleton(out);
  if (!out.Close()) Log::Printf("Could not write compiled mesh %s", compiled.c_str());
}

}  // namespace

void YSkelMeshLoader::LoadFile(YSkelMesh& mesh, std::string_view name) {
  mesh.name = name;
  const std::string compiled = CompiledName(name, "mab");
  const bool text = name.ends_with("ams");
  if (!text || PathExists(compiled, false)) {
    if (ReadCompiledFile(mesh, compiled)) {
      mesh.loaded = true;
      return;
    }
    mesh.name = name;
    if (!text) return FileAlerts::NeededFileFailed(compiled);
  }
  Log::Printf("Load skeleton mesh file %s", mesh.name.c_str());
  YSkelMeshLoader loader(name, platform::ReadTextFile(name).value_or(std::string()));
  if (loader.ParseSkeletal(mesh) != Result::kClean) return FileAlerts::NeededFileFailed(name);
  mesh.loaded = true;
  Compile(mesh, compiled);
}

YSkelMeshLoader::YSkelMeshLoader(std::string_view fileName, std::string text)
    : YMeshLoader(fileName, std::move(text)) {}

YMeshLoader::Result YSkelMeshLoader::ParseSkeletal(YSkelMesh& mesh) {
  mesh.bones.clear();
  mesh.frames.clear();
  mesh.animations.clear();
  mesh.mounts.clear();
  Result result = Parse(mesh);
  if (result == Result::kClean && !ReadSkeleton(mesh)) result = Result::kRejected;
  if (result != Result::kClean) {
    mesh.Clear();
    mesh.bones.clear();
    mesh.frames.clear();
    mesh.mounts.clear();
    return result;
  }
  mesh.BuildBindPose();
  return result;
}

bool YSkelMeshLoader::ReadSkeleton(YSkelMesh& mesh) {
  // Without a light-map part the mesh part has used up the word after its
  // faces, which is then "sceleton", and the next word is the name.
  if (ReadWord() == "sceleton") ReadWord();
  if (!ReadBones(mesh) || !ReadMounts(mesh) || !ReadWeights(mesh) || !ReadFrames(mesh)) return false;
  const std::string error = mesh.CheckSkeleton();
  return error.empty() || Reject(error);
}

bool YSkelMeshLoader::ReadRotation(YQuaternion& q, const char* what) {
  return ReadFloat(q.x, what) && ReadFloat(q.y, what) && ReadFloat(q.z, what) && ReadFloat(q.w, what);
}

bool YSkelMeshLoader::ReadBones(YSkelMesh& mesh) {
  std::uint32_t count = 0;
  if (!ReadCount(count, 9, "bone count")) return false;
  mesh.bones.resize(count);
  for (std::size_t b = 0; b < mesh.bones.size(); ++b) {
    YSkelBone& bone = mesh.bones[b];
    std::int64_t number = 0, parent = 0;
    if (!ReadInt(number, "bone number") || !ReadInt(parent, "bone parent")) return false;
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
      return Reject("bone number out of range");
    if (parent >= static_cast<std::int64_t>(b))
      return Reject("bone " + std::to_string(b) + " comes before its parent");
    bone.number = static_cast<std::int32_t>(number);
    bone.parent = parent < 0 ? -1 : static_cast<std::int32_t>(parent);
    if (!ReadVector(bone.bindTranslation, "bone translation") ||
        !ReadRotation(bone.bindRotation, "bone rotation"))
      return false;
  }
  return true;
}

bool YSkelMeshLoader::ReadMounts(YSkelMesh& mesh) {
  ReadWord();
  std::uint32_t count = 0;
  if (!ReadCount(count, 9, "mount count")) return false;
  mesh.mounts.resize(count);
  for (YSkelMount& mount : mesh.mounts) {
    std::int64_t first = 0;
    YVector3 t;
    YQuaternion q;
    if (!ReadInt(first, "mount value") || !ReadIndex(mount.bone, mesh.bones.size(), "mount bone") ||
        !ReadVector(t, "mount translation") || !ReadRotation(q, "mount rotation"))
      return false;
    mount.first = static_cast<std::int32_t>(first);
    mount.offset = q.ToMatrix(t);
  }
  return true;
}

bool YSkelMeshLoader::ReadWeights(YSkelMesh& mesh) {
  ReadWord();
  ReadWord();
  if (mesh.bones.empty()) return Reject("no bones");
  for (std::size_t p = 0; p < mesh.positions.size(); ++p) {
    std::uint32_t count = 0;
    if (!ReadCount(count, 2, "influence count")) return false;
    const auto position = static_cast<std::int32_t>(p);
    if (count == 0) mesh.bones[0].weights.push_back({position, 1.0f});
    for (std::uint32_t i = 0; i < count; ++i) {
      std::int32_t bone = 0;
      float weight = 0;
      if (!ReadIndex(bone, mesh.bones.size(), "influence bone") || !ReadFloat(weight, "influence weight"))
        return false;
      mesh.bones[static_cast<std::size_t>(bone)].weights.push_back({position, weight});
    }
  }
  return true;
}

// Each frame's duration is its number less the number before it (the first
// counts from 0); numbers may not go backwards.
bool YSkelMeshLoader::ReadFrames(YSkelMesh& mesh) {
  ReadWord();
  std::uint32_t count = 0;
  if (!ReadCount(count, 5 + 4 * static_cast<int>(std::min<std::size_t>(mesh.bones.size(), 1 << 20)),
                 "frame count"))
    return false;
  mesh.frames.resize(count);
  std::int64_t previous = 0;
  for (YSkelFrame& frame : mesh.frames) {
    ReadWord();
    std::int64_t number = 0;
    if (!ReadInt(number, "frame number") || !ReadVector(frame.root, "frame root position")) return false;
    if (number < previous || number - previous > std::numeric_limits<std::int32_t>::max())
      return Reject("frame number " + std::to_string(number) + " after " + std::to_string(previous));
    frame.duration = static_cast<std::int32_t>(number - previous);
    previous = number;
    frame.rotations.resize(mesh.bones.size());
    for (YQuaternion& q : frame.rotations)
      if (!ReadRotation(q, "frame rotation")) return false;
  }
  return true;
}
