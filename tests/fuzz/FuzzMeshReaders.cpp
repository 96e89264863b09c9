// Arbitrary bytes as a mesh file for each of the four mesh readers, chosen
// by the first byte: the compiled mesh, the compiled skeletal mesh, the text
// mesh and the text skeletal mesh. Whatever a reader accepts is then used
// the way the game uses it (normals, an instance with its silhouette,
// poses and animation channels), so an index the readers let through that
// points outside its array shows up here.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/MemoryInStream.h"
#include "render/Shadows.h"
#include "render/YMesh.h"
#include "render/YMeshLoader.h"
#include "render/YSkelMesh.h"
#include "render/YSkelMeshInstance.h"
#include "render/YSkelMeshLoader.h"

namespace {

void UseMesh(YMesh& mesh) {
  if (!mesh.CheckIndices().empty()) std::abort();
  mesh.ComputeFaceNormals();
  mesh.ComputeVertexNormals();
  mesh.SetScale(1.5f);
  YMeshInstance instance(&mesh, 0.5f, 1);
  YMatrix4 world;
  world.SetRotationZ(30);
  instance.AddShadowVolume(world);
  ClearShadowVolumes();
}

void UseSkeleton(YSkelMesh& mesh) {
  if (!mesh.CheckSkeleton().empty()) std::abort();
  UseMesh(mesh);
  mesh.AddAnimationRange(0, static_cast<int>(mesh.frames.size()));
  const std::int32_t reversed[] = {2, 1, 0, -1};
  mesh.AddAnimation(reversed);
  mesh.SetChannel(0, -1, 0, 1, 0.1f, 0.1f, true, false);
  mesh.SetChannel(1, 0, 1, 2, 0, 0, false, true);
  YSkelMeshInstance instance(&mesh, 2.0f, 1);
  for (std::size_t f = 0; f < mesh.frames.size() && f < 8; ++f) instance.SetPose(static_cast<int>(f), true);
  instance.StartChannel(0, -1, -1);
  instance.StartChannel(1, 0.05f, -1);
  for (int step = 0; step < 4; ++step) {
    instance.UpdateChannels(0.07f);
    instance.BlendChannels();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t kind = data[0] % 4;
  MemoryInStream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  std::string error;
  if (kind == 0) {
    YMesh mesh;
    if (mesh.ReadCompiled(in, error)) UseMesh(mesh);
  } else if (kind == 1) {
    YSkelMesh mesh;
    if (mesh.ReadCompiled(in, error) && mesh.ReadSkeleton(in, error)) UseSkeleton(mesh);
  } else if (kind == 2) {
    YMesh mesh;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (YMeshLoader("fuzz.mes", text).Parse(mesh) != YMeshLoader::Result::kRejected) UseMesh(mesh);
  } else {
    YSkelMesh mesh;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (YSkelMeshLoader("fuzz.ams", text).ParseSkeletal(mesh) == YMeshLoader::Result::kClean)
      UseSkeleton(mesh);
  }
  return 0;
}
