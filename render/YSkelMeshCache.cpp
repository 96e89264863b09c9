#include "render/YSkelMeshCache.h"

#include "render/MeshCacheList.h"
#include "render/YSkelMesh.h"
#include "render/YSkelMeshLoader.h"

namespace {

// Never destroyed, like the static mesh cache.
MeshCacheList<YSkelMesh>& Cache() {
  static auto* const cache = new MeshCacheList<YSkelMesh>();
  return *cache;
}

}  // namespace

YSkelMesh* YSkelMeshCache::Find(std::string_view name) {
  return Cache().Find(name);
}

YSkelMesh* YSkelMeshCache::Load(std::string_view name) {
  return Cache().FindOrLoad(name, YSkelMeshLoader::LoadFile);
}
