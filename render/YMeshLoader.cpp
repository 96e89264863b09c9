// YMeshLoader: loading by name with the compiled file, and the grammar of
// the text file. The derivation of the mesh's arrays is in
// YMeshLoaderBuild.cpp.
#include "render/YMeshLoader.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "framework/FileAlerts.h"
#include "framework/FileUtils.h"
#include "framework/InFStream.h"
#include "framework/Log.h"
#include "framework/OutFStream.h"
#include "platform/FileSystem.h"
#include "render/YMesh.h"

namespace {

// Reads the compiled file into the mesh; logs why when it cannot.
bool ReadCompiledFile(YMesh& mesh, const std::string& compiled) {
  InFStream in(compiled);
  std::string error = "cannot be opened";
  if (!in.Failed() && mesh.ReadCompiled(in, error)) return true;
  Log::Printf("Compiled mesh %s rejected: %s", compiled.c_str(), error.c_str());
  return false;
}

// Writes the compiled file through ".tmp" and reads it back into the mesh;
// when either fails the mesh keeps what the parse gave it.
void Compile(YMesh& mesh, const std::string& compiled) {
  OutFStream out(compiled, true);
  mesh.WriteCompiled(out);
  if (!out.Close()) {
    Log::Printf("Could not write compiled mesh %s", compiled.c_str());
    return;
  }
  ReadCompiledFile(mesh, compiled);
}

}  // namespace

std::string YMeshLoader::CompiledName(std::string_view name, std::string_view extension) {
  const std::size_t keep = name.size() >= 3 ? name.size() - 3 : name.size();
  return std::string(name.substr(0, keep)) + std::string(extension);
}

void YMeshLoader::LoadFile(YMesh& mesh, std::string_view name) {
  mesh.name = name;
  const std::string compiled = CompiledName(name, "meb");
  const bool text = name.ends_with("mes");
  if (!text || PathExists(compiled, false)) {
    if (ReadCompiledFile(mesh, compiled)) {
      mesh.loaded = true;
      return;
    }
    if (!text) return FileAlerts::NeededFileFailed(compiled);
  }
  Log::Printf("Load mesh file %s", mesh.name.c_str());
  YMeshLoader loader(name, platform::ReadTextFile(name).value_or(std::string()));
  const Result result = loader.Parse(mesh);
  mesh.loaded = result != Result::kRejected;
  if (result == Result::kClean)
    Compile(mesh, compiled);
  else
    FileAlerts::NeededFileFailed(name);
}

YMeshLoader::YMeshLoader(std::string_view fileName, std::string text)
    : fileName_(fileName), in_(std::move(text)) {
  size_ = in_.str().size();
}

YMeshLoader::Result YMeshLoader::Parse(YMesh& mesh) {
  mesh.Clear();
  Result result = ReadText();
  if (result != Result::kRejected && !CheckLightmapIndices()) result = Result::kRejected;
  if (result == Result::kClean) SortFaces();
  if (result == Result::kRejected || !Build(mesh)) {
    mesh.Clear();
    result = Result::kRejected;
  }
  mesh.CreateDeviceObjects();
  return result;
}

// ---- Grammar -------------------------------------------------------------------

YMeshLoader::Result YMeshLoader::ReadText() {
  if (!ExpectWord("mesh")) return Result::kTokenError;
  ReadWord();  // the mesh's own name, not used
  if (!ExpectWord("vertices")) return Result::kTokenError;
  if (!ReadVertices()) return Result::kRejected;
  if (!ExpectWord("tvertices")) return Result::kTokenError;
  if (!ReadTextureSet(texture_, "texture vertex")) return Result::kRejected;
  if (!ExpectWord("faces")) return Result::kTokenError;
  if (!ReadFaces()) return Result::kRejected;
  lightmap_ = texture_;
  return ReadLightmap();
}

bool YMeshLoader::ExpectWord(const char* word) {
  const std::string read = ReadWord();
  if (read == word) return true;
  Log::Printf("Error token: %s", read.c_str());
  return false;
}

bool YMeshLoader::ReadVertices() {
  std::uint32_t count = 0;
  if (!ReadCount(count, 3, "vertex count")) return false;
  sources_.resize(count);
  sourceFaces_.resize(count);
  for (YVector3& p : sources_)
    if (!ReadVector(p, "vertex position")) return false;
  return true;
}

bool YMeshLoader::ReadTextureSet(std::vector<float>& set, const char* what) {
  std::uint32_t count = 0;
  if (!ReadCount(count, 2, what)) return false;
  set.assign(std::size_t{count} * 2, 0.0f);
  for (std::size_t i = 0; i < set.size(); i += 2) {
    float v = 0;
    if (!ReadFloat(set[i], what) || !ReadFloat(v, what)) return false;
    set[i + 1] = 1.0f - v;  // the files count v from the bottom
  }
  return true;
}

bool YMeshLoader::ReadFaces() {
  std::uint32_t count = 0;
  if (!ReadCount(count, 8, "face count")) return false;
  faces_.resize(count);
  const std::size_t textures = texture_.size() / 2;
  for (FaceRecord& face : faces_) {
    for (std::int32_t& index : face.source)
      if (!ReadIndex(index, sources_.size(), "face vertex index")) return false;
    for (std::int32_t& index : face.texture)
      if (!ReadIndex(index, textures, "face texture vertex index")) return false;
    std::int64_t material = 0, mask = 0;
    if (!ReadInt(material, "material number") || !ReadInt(mask, "smoothing mask")) return false;
    if (material < std::numeric_limits<std::int32_t>::min() ||
        material > std::numeric_limits<std::int32_t>::max())
      return Reject("material number out of range");
    if (mask < std::numeric_limits<std::int32_t>::min() || mask > std::numeric_limits<std::uint32_t>::max())
      return Reject("smoothing mask out of range");
    face.material = static_cast<std::int32_t>(material);
    face.mask = static_cast<std::uint32_t>(mask);
    std::copy(std::begin(face.texture), std::end(face.texture), std::begin(face.lightmap));
  }
  return true;
}

// After the faces: nothing more, or a light-map set and the faces' indices
// into it. A word other than "lightmap" ends the mesh (and is used up).
YMeshLoader::Result YMeshLoader::ReadLightmap() {
  if (ReadWord() != "lightmap") return Result::kClean;
  ReadWord();
  ReadWord();
  if (!ReadTextureSet(lightmap_, "light-map texture vertex")) return Result::kRejected;
  if (!ExpectWord("tfaces")) return Result::kTokenError;
  std::uint32_t count = 0;
  if (!ReadCount(count, 4, "light-map face count")) return Result::kRejected;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::int32_t face = 0;
    if (!ReadIndex(face, faces_.size(), "light-map face index")) return Result::kRejected;
    for (std::int32_t& index : faces_[static_cast<std::size_t>(face)].lightmap)
      if (!ReadIndex(index, lightmap_.size() / 2, "light-map texture index")) return Result::kRejected;
  }
  return Result::kClean;
}

// A light-map set shorter than the texture set leaves faces that no light-map
// face entry named pointing past it.
bool YMeshLoader::CheckLightmapIndices() {
  const std::size_t size = lightmap_.size() / 2;
  for (std::size_t f = 0; f < faces_.size(); ++f)
    for (const std::int32_t index : faces_[f].lightmap)
      if (static_cast<std::size_t>(index) >= size)
        return Reject("face " + std::to_string(f) + " has no light-map texture vertex " +
                      std::to_string(index));
  return true;
}

// ---- Words and numbers -----------------------------------------------------------

std::string YMeshLoader::ReadWord() {
  std::string word;
  in_ >> word;
  return word;
}

bool YMeshLoader::ReadInt(std::int64_t& value, const char* what) {
  long long read = 0;
  if (!(in_ >> read)) return Reject(std::string("expected ") + what);
  value = read;
  return true;
}

bool YMeshLoader::ReadFloat(float& value, const char* what) {
  if (!(in_ >> value)) return Reject(std::string("expected ") + what);
  return true;
}

bool YMeshLoader::ReadVector(YVector3& value, const char* what) {
  return ReadFloat(value.x, what) && ReadFloat(value.y, what) && ReadFloat(value.z, what);
}

bool YMeshLoader::ReadCount(std::uint32_t& count, int numbers, const char* what) {
  std::int64_t value = 0;
  if (!ReadInt(value, what)) return false;
  // Each number takes a character and a separator at least.
  const std::streamoff at = in_.tellg();
  const std::int64_t left = at < 0 ? 0 : static_cast<std::int64_t>(size_) - at;
  if (value < 0 || value > (left + 1) / (2 * numbers))
    return Reject(std::string(what) + " " + std::to_string(value) + " is more than the file holds");
  count = static_cast<std::uint32_t>(value);
  return true;
}

bool YMeshLoader::ReadIndex(std::int32_t& value, std::size_t size, const char* what) {
  std::int64_t index = 0;
  if (!ReadInt(index, what)) return false;
  if (index < 0 || static_cast<std::uint64_t>(index) >= size)
    return Reject(std::string(what) + " " + std::to_string(index) + " where " + std::to_string(size) +
                  " exist");
  value = static_cast<std::int32_t>(index);
  return true;
}

bool YMeshLoader::Reject(const std::string& why) {
  in_.clear();
  const std::streamoff at = in_.tellg();
  Log::Printf("Mesh file %s rejected at offset %lld: %s", fileName_.c_str(),
              static_cast<long long>(at < 0 ? static_cast<std::streamoff>(size_) : at), why.c_str());
  return false;
}
