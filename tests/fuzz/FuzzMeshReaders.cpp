// Arbitrary bytes as a mesh file for each of the four mesh readers, chosen
// by the first byte: the compiled mesh, the compiled skeletal mesh, the text
// mesh and the text skeletal mesh. Whatever a reader accepts is then used
// the way the game uses it (normals, an instance with its silhouette,
// poses and animation channels), so an index the readers let through that
// points outside its array shows up here. Two further kinds load the text
// meshes from files as the mesh caches do: a clean text is compiled beside
// it, and loading it again through the compiled file must give the same
// arrays. The target works in a scratch folder of its own: give it its
// corpus folders as whole paths.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "framework/MemoryInStream.h"
#include "render/Shadows.h"
#include "render/YMesh.h"
#include "render/YMeshLoader.h"
#include "render/YSkelMesh.h"
#include "render/YSkelMeshInstance.h"
#include "render/YSkelMeshLoader.h"
#include "tests/fuzz/FuzzSupport.h"

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

// The arrays' sizes, which a compiled file must keep.
std::vector<std::size_t> Sizes(const YMeshData& mesh) {
  return {mesh.vertices.size(), mesh.faces.size(), mesh.normalSets.size(), mesh.positions.size(),
          mesh.edges.size(),    mesh.indices.size(), mesh.subsets.size()};
}

// Loads the text `name` (its compiled file `compiled` removed first) twice
// through `load`, as the mesh caches do; a clean first load is compiled, so
// the second reads the compiled file and must find the same arrays.
template <typename Mesh, typename Load, typename Use>
void LoadTwice(const std::string& bytes, const char* name, const char* compiled, Load load, Use use) {
  std::error_code ec;
  std::filesystem::remove(compiled, ec);
  fuzz::WriteBytes(name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  Mesh first, second;
  load(first, name);
  load(second, name);
  if (first.loaded != second.loaded) std::abort();
  if (second.loaded && Sizes(first) != Sizes(second)) std::abort();
  if (second.loaded) use(second);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::error_code ec;
  std::filesystem::current_path(fuzz::ScratchFolder(), ec);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t kind = data[0] % 6;
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
  } else if (kind == 4) {
    LoadTwice<YMesh>(std::string(reinterpret_cast<const char*>(data + 1), size - 1), "fuzz.mes", "fuzz.meb",
                     YMeshLoader::LoadFile, UseMesh);
  } else if (kind == 5) {
    LoadTwice<YSkelMesh>(std::string(reinterpret_cast<const char*>(data + 1), size - 1), "fuzz.ams", "fuzz.mab",
                         YSkelMeshLoader::LoadFile, UseSkeleton);
  } else {
    YSkelMesh mesh;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (YSkelMeshLoader("fuzz.ams", text).ParseSkeletal(mesh) == YMeshLoader::Result::kClean)
      UseSkeleton(mesh);
  }
  return 0;
}
