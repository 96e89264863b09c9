// YMeshLoader: what the parse derives from the text, in order: faces sorted
// by material, normal sets by smoothing groups, render vertices, the mesh's
// records, normals, indices with their subsets, and shared edges.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <tuple>

#include "framework/Log.h"
#include "render/YMesh.h"
#include "render/YMeshLoader.h"

namespace {

bool SamePosition(const YVector3& a, const YVector3& b) {
  return std::fabs(a.x - b.x) < 1e-6f && std::fabs(a.y - b.y) < 1e-6f && std::fabs(a.z - b.z) < 1e-6f;
}

bool FacesLimit() {
  Log::Printf("Error, MAX_FACES_PER_NORMAL = %d  is small", kMaxFacesPerNormal);
  return false;
}

bool VerticesLimit() {
  Log::Printf("Error, MAX_VERT_IDX = %d  is small", kMaxVertIdx);
  return false;
}

}  // namespace

void YMeshLoader::SortFaces() {
  std::stable_sort(faces_.begin(), faces_.end(),
                   [](const FaceRecord& a, const FaceRecord& b) { return a.material < b.material; });
}

bool YMeshLoader::Build(YMesh& mesh) {
  if (!BuildNormals() || !BuildRenderVertices(mesh)) return false;
  mesh.ComputeFaceNormals();
  mesh.ComputeVertexNormals();
  BuildIndicesAndSubsets(mesh);
  BuildEdges(mesh);
  return true;
}

// For each source vertex, its face corners are grouped: the last corner not
// yet grouped seeds a set, which takes every other corner whose face shares
// a smoothing group with the seed's face. A face without groups is alone.
bool YMeshLoader::BuildNormals() {
  std::vector<std::vector<std::array<std::int32_t, 2>>> corners(sources_.size());
  for (std::size_t f = 0; f < faces_.size(); ++f) {
    for (int k = 0; k < 3; ++k) {
      const auto v = static_cast<std::size_t>(faces_[f].source[k]);
      if (corners[v].size() >= static_cast<std::size_t>(kMaxFacesPerNormal - 1)) return FacesLimit();
      corners[v].push_back({static_cast<std::int32_t>(f), k});
      sourceFaces_[v].push_back(static_cast<std::int32_t>(f));
    }
  }
  for (std::size_t v = 0; v < corners.size(); ++v) {
    std::vector<std::array<std::int32_t, 2>>& open = corners[v];
    while (!open.empty()) {
      const auto [seed, seedCorner] = open.back();
      open.pop_back();
      const auto set = static_cast<std::int32_t>(normalSets_.size());
      NormalSource& source = normalSets_.emplace_back(NormalSource{static_cast<std::int32_t>(v), {seed}});
      faces_[static_cast<std::size_t>(seed)].normalSet[seedCorner] = set;
      const std::uint32_t mask = faces_[static_cast<std::size_t>(seed)].mask;
      std::vector<std::array<std::int32_t, 2>> rest;
      for (const auto& [g, j] : open) {
        FaceRecord& face = faces_[static_cast<std::size_t>(g)];
        if ((face.mask & mask) == 0) {
          rest.push_back({g, j});
          continue;
        }
        if (source.faces.size() >= static_cast<std::size_t>(kMaxFacesPerNormal)) return FacesLimit();
        source.faces.push_back(g);
        face.normalSet[j] = set;
      }
      open = std::move(rest);
    }
  }
  return true;
}

// One render vertex per distinct (source, texture, light-map, normal set)
// corner, numbered in order of first use; then the mesh's vertices,
// positions, normal sets and faces.
bool YMeshLoader::BuildRenderVertices(YMesh& mesh) {
  using Key = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t>;
  std::map<Key, std::int32_t> numbers;
  std::vector<Key> keys;
  for (FaceRecord& face : faces_) {
    for (int k = 0; k < 3; ++k) {
      const Key key{face.source[k], face.texture[k], face.lightmap[k], face.normalSet[k]};
      const auto [it, added] = numbers.emplace(key, static_cast<std::int32_t>(keys.size()));
      if (added) keys.push_back(key);
      face.render[k] = it->second;
    }
  }
  if (keys.size() > kMaxRenderVertices)
    return Reject(std::to_string(keys.size()) + " render vertices, at most " +
                  std::to_string(kMaxRenderVertices));

  mesh.positions.resize(sources_.size());
  for (std::size_t v = 0; v < sources_.size(); ++v) mesh.positions[v] = {sources_[v], sourceFaces_[v], {}};
  mesh.normalSets.resize(normalSets_.size());
  for (std::size_t s = 0; s < normalSets_.size(); ++s) mesh.normalSets[s].faces = normalSets_[s].faces;

  mesh.vertices.resize(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const auto [source, texture, lightmap, set] = keys[i];
    std::vector<std::int32_t>& byPosition = mesh.positions[static_cast<std::size_t>(source)].vertices;
    std::vector<std::int32_t>& bySet = mesh.normalSets[static_cast<std::size_t>(set)].vertices;
    if (byPosition.size() >= kMaxVertIdx || bySet.size() >= kMaxVertIdx) return VerticesLimit();
    byPosition.push_back(static_cast<std::int32_t>(i));
    bySet.push_back(static_cast<std::int32_t>(i));
    const YVector3& p = sources_[static_cast<std::size_t>(source)];
    YMeshVertex& vertex = mesh.vertices[i];
    vertex.x = p.x;
    vertex.y = p.y;
    vertex.z = p.z;
    vertex.u = texture_[static_cast<std::size_t>(texture) * 2];
    vertex.v = texture_[static_cast<std::size_t>(texture) * 2 + 1];
    vertex.lu = lightmap_[static_cast<std::size_t>(lightmap) * 2];
    vertex.lv = lightmap_[static_cast<std::size_t>(lightmap) * 2 + 1];
  }

  mesh.faces.resize(faces_.size());
  for (std::size_t f = 0; f < faces_.size(); ++f)
    for (int k = 0; k < 3; ++k) mesh.faces[f].v[k] = static_cast<std::uint32_t>(faces_[f].render[k]);
  return true;
}

// Three indices per face; a subset for each run of faces of one material.
void YMeshLoader::BuildIndicesAndSubsets(YMesh& mesh) const {
  mesh.indices.clear();
  mesh.subsets.clear();
  for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
    const YMeshFace& face = mesh.faces[f];
    if (f == 0 || faces_[f].material != faces_[f - 1].material) {
      mesh.subsets.push_back(
          {static_cast<std::int32_t>(3 * f), 0, faces_[f].material, static_cast<std::int32_t>(face.v[0]), 0});
    }
    YMeshSubset& subset = mesh.subsets.back();
    ++subset.triangleCount;
    for (const std::uint32_t v : face.v) {
      mesh.indices.push_back(static_cast<std::uint16_t>(v));
      const std::int32_t highest = subset.lowestVertex + subset.vertexSpan - 1;
      const auto index = static_cast<std::int32_t>(v);
      const std::int32_t lowest = std::min(subset.lowestVertex, index);
      subset.vertexSpan = std::max(highest, index) - lowest + 1;
      subset.lowestVertex = lowest;
    }
  }
}

const YVector3& YMeshLoader::CornerPosition(std::size_t face, int corner) const {
  return sources_[static_cast<std::size_t>(faces_[face].source[corner])];
}

// An edge record for every pair of faces that run along the same two
// positions in opposite directions; each later face's half-edge pairs once.
void YMeshLoader::BuildEdges(YMesh& mesh) const {
  mesh.edges.clear();
  mesh.edges.reserve(faces_.size() * 3 / 2);
  std::vector<std::array<bool, 3>> paired(faces_.size(), {false, false, false});
  for (std::size_t f = 0; f < faces_.size(); ++f) {
    for (int e = 0; e < 3; ++e) {
      if (paired[f][e]) continue;
      const int next = (e + 1) % 3;
      const YVector3& from = CornerPosition(f, e);
      const YVector3& to = CornerPosition(f, next);
      for (std::size_t g = f + 1; g < faces_.size(); ++g) {
        for (int j = 0; j < 3; ++j) {
          const int k = (j + 2) % 3;
          if (paired[g][k] || !SamePosition(from, CornerPosition(g, j)) ||
              !SamePosition(to, CornerPosition(g, k)))
            continue;
          mesh.edges.push_back({faces_[f].render[e], faces_[f].render[next], static_cast<std::int32_t>(f),
                                static_cast<std::int32_t>(g)});
          paired[g][k] = true;
        }
      }
    }
  }
}
