// The process-wide cache of skeletal meshes, beside the static mesh cache:
// each skeletal mesh file is loaded once and kept until exit. Main thread
// only.
#pragma once

#include <string_view>

class YSkelMesh;

class YSkelMeshCache {
 public:
  // The first cached skeletal mesh of exactly that name, or null.
  static YSkelMesh* Find(std::string_view name);
  // Find, or else a new skeletal mesh loaded from the file
  // (YSkelMeshLoader::LoadFile). Never null; a failed load stays cached
  // empty and is not tried again.
  static YSkelMesh* Load(std::string_view name);
};
