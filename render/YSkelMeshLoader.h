// The reader of skeletal mesh files (".ams"): a text mesh followed by its
// skeleton (bones, mounts, vertex weights, key frames). A clean parse is
// compiled to ".mab" beside the text, which later loads read instead.
// Main thread only.
#pragma once

#include <string>
#include <string_view>

#include "render/YMeshLoader.h"

class YSkelMesh;
struct YQuaternion;

class YSkelMeshLoader : public YMeshLoader {
 public:
  // Loads `name` into the mesh: from its compiled file when that exists and
  // is sound, else (for a name ending in "ams") from the text, writing the
  // compiled file (through ".tmp") only after a clean parse. Failures are
  // logged, reported to FileAlerts and leave the mesh empty.
  static void LoadFile(YSkelMesh& mesh, std::string_view name);

  YSkelMeshLoader(std::string_view fileName, std::string text);

  // Parses the mesh part and the skeleton part; anything short of a clean
  // parse of both leaves the mesh empty (kRejected or kTokenError).
  Result ParseSkeletal(YSkelMesh& mesh);

 private:
  bool ReadSkeleton(YSkelMesh& mesh);
  bool ReadBones(YSkelMesh& mesh);
  bool ReadMounts(YSkelMesh& mesh);
  bool ReadWeights(YSkelMesh& mesh);
  bool ReadFrames(YSkelMesh& mesh);
  bool ReadRotation(YQuaternion& q, const char* what);
};
