// The reader of text mesh files (".mes"): whitespace-separated words and
// numbers giving source vertices, texture vertices, faces with a material
// and a smoothing mask, and an optional light-map part. From them it derives
// what drawing needs (render vertices, smoothed normals, material subsets,
// shared edges). A parsed file is compiled to ".meb" beside it, and later
// loads read that instead. Main thread only.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "framework/YVector3.h"

class YMesh;

class YMeshLoader {
 public:
  enum class Result {
    kClean,       // the whole file was read and the mesh built
    kTokenError,  // a section word was wrong: the mesh holds what came before it
    kRejected,    // a bad number, count or index, or a limit: the mesh is empty
  };

  // Loads `name` into the mesh (its name becomes `name`). A name ending in
  // "mes" is read from its compiled file when that exists and is sound, else
  // parsed from the text, and only a clean parse writes the compiled file
  // (through ".tmp", then read back; when writing or reading back fails the
  // parsed mesh is kept). Other names are read from their compiled name
  // only. Failures are logged and leave the mesh empty; a file that could
  // not be read whole is reported to FileAlerts.
  static void LoadFile(YMesh& mesh, std::string_view name);
  // `name` with its last three characters replaced by `extension`; a name
  // shorter than three characters keeps them all and gets it appended.
  static std::string CompiledName(std::string_view name, std::string_view extension);

  // A parser over the text of the file `fileName` (named in log lines).
  YMeshLoader(std::string_view fileName, std::string text);
  virtual ~YMeshLoader() = default;

  // Reads the mesh part of the text into the mesh, derives its arrays and
  // makes its device objects. A rejected mesh is left empty (its name
  // stays); rejections and section errors are logged.
  Result Parse(YMesh& mesh);

 protected:
  // The next word; empty at the end of the text.
  std::string ReadWord();
  // The next number; false (and logged, with what was expected) when the
  // next word is not one.
  bool ReadInt(std::int64_t& value, const char* what);
  bool ReadFloat(float& value, const char* what);
  bool ReadVector(YVector3& value, const char* what);
  // A count of entries of `numbers` numbers each, no more than the rest of
  // the text can hold.
  bool ReadCount(std::uint32_t& count, int numbers, const char* what);
  // An index in 0 .. size - 1.
  bool ReadIndex(std::int32_t& value, std::size_t size, const char* what);
  // Logs why the file is rejected, with the file name and the offset.
  bool Reject(const std::string& why);

  std::string fileName_;

 private:
  // A face as read: source, texture and light-map texture vertices per
  // corner, then what the derivation gives each corner.
  struct FaceRecord {
    std::int32_t source[3] = {0, 0, 0};
    std::int32_t texture[3] = {0, 0, 0};
    std::int32_t lightmap[3] = {0, 0, 0};
    std::int32_t normalSet[3] = {0, 0, 0};
    std::int32_t render[3] = {0, 0, 0};
    std::int32_t material = 0;
    std::uint32_t mask = 0;  // smoothing groups
  };
  // A set of faces around one source vertex that share a normal.
  struct NormalSource {
    std::int32_t source = 0;
    std::vector<std::int32_t> faces;
  };

  Result ReadText();
  bool ReadVertices();
  bool ReadTextureSet(std::vector<float>& set, const char* what);
  bool ReadFaces();
  Result ReadLightmap();
  bool ExpectWord(const char* word);
  bool CheckLightmapIndices();
  void SortFaces();
  bool Build(YMesh& mesh);
  bool BuildNormals();
  bool BuildRenderVertices(YMesh& mesh);
  void BuildIndicesAndSubsets(YMesh& mesh) const;
  void BuildEdges(YMesh& mesh) const;
  const YVector3& CornerPosition(std::size_t face, int corner) const;

  std::istringstream in_;
  std::size_t size_;
  std::vector<YVector3> sources_;
  std::vector<std::vector<std::int32_t>> sourceFaces_;
  std::vector<float> texture_, lightmap_;  // u, v pairs (v already flipped)
  std::vector<FaceRecord> faces_;
  std::vector<NormalSource> normalSets_;
};
