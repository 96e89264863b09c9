#include "render/YMeshCache.h"

#include "render/MeshCacheList.h"
#include "render/YMesh.h"
#include "render/YMeshLoader.h"

namespace {

// Never destroyed: instances held by static objects may outlive every
// ordinary static, and their meshes must outlive them.
MeshCacheList<YMesh>& Cache() {
  static auto* const cache = new MeshCacheList<YMesh>();
  return *cache;
}

}  // namespace

YMesh* YMeshCache::Find(std::string_view name) {
  return Cache().Find(name);
}

YMesh* YMeshCache::Load(std::string_view name) {
  return Cache().FindOrLoad(name, YMeshLoader::LoadFile);
}
