// The process-wide cache of static meshes: each mesh file is loaded once,
// on its first request, and kept until exit. Main thread only.
#pragma once

#include <string_view>

class YMesh;

class YMeshCache {
 public:
  // The first cached mesh of exactly that name (case-sensitive), or null.
  static YMesh* Find(std::string_view name);
  // Find, or else a new mesh loaded from the file (YMeshLoader::LoadFile).
  // Never null: a mesh that failed to load stays cached empty and later
  // requests return it without trying again.
  static YMesh* Load(std::string_view name);
};
