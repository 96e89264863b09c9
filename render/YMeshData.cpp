#include "render/YMeshData.h"

#include <cmath>
#include <utility>

#include "framework/StreamHelpers.h"
#include "render/MeshBinaryIO.h"

namespace {

constexpr std::size_t kVertexBytes = 40;
constexpr std::size_t kFaceBytes = 24;
constexpr std::size_t kListBytes = 4;       // a normal set or position holds at least its count
constexpr std::size_t kPositionBytes = 20;  // position and two counts
constexpr std::size_t kEdgeBytes = 16;
constexpr std::size_t kSubsetBytes = 20;

void WriteCount(OutStream& out, std::size_t count) {
  WriteInt(out, static_cast<std::int32_t>(count));
}

void WriteList(OutStream& out, const std::vector<std::int32_t>& list) {
  for (const std::int32_t value : list) WriteInt(out, value);
}

void WriteVertex(OutStream& out, const YMeshVertex& v) {
  for (const float value : {v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v, v.lu, v.lv}) WriteFloat(out, value);
}

bool ReadVertex(InStream& in, YMeshVertex& v) {
  for (float* value : {&v.x, &v.y, &v.z, &v.nx, &v.ny, &v.nz, &v.u, &v.v, &v.lu, &v.lv})
    ReadFloat(in, *value);
  return !in.Failed();
}

// A list whose count may be at most `limit`.
bool ReadList(InStream& in, std::vector<std::int32_t>& list, int limit) {
  std::uint32_t count = 0;
  if (!ReadCount(in, count, 4)) return false;
  if (count > static_cast<std::uint32_t>(limit)) {
    in.SetFailed();
    return false;
  }
  list.resize(count);
  for (std::int32_t& value : list) ReadInt(in, value);
  return !in.Failed();
}

// Two lists whose counts come first, then both lists (the positions' form).
bool ReadCountedPair(InStream& in, std::vector<std::int32_t>& first, int firstLimit,
                     std::vector<std::int32_t>& second, int secondLimit) {
  std::uint32_t firstCount = 0, secondCount = 0;
  if (!ReadCount(in, firstCount, 4) || !ReadCount(in, secondCount, 4)) return false;
  const std::int32_t left = in.BytesLeft();
  const std::uint64_t bytes = (std::uint64_t{firstCount} + secondCount) * 4;
  if (firstCount > static_cast<std::uint32_t>(firstLimit) ||
      secondCount > static_cast<std::uint32_t>(secondLimit) ||
      (left >= 0 && bytes > static_cast<std::uint64_t>(left))) {
    in.SetFailed();
    return false;
  }
  first.resize(firstCount);
  second.resize(secondCount);
  for (std::int32_t& value : first) ReadInt(in, value);
  for (std::int32_t& value : second) ReadInt(in, value);
  return !in.Failed();
}

std::string CheckList(const std::vector<std::int32_t>& list, int limit, std::size_t size, const char* what,
                      std::size_t record) {
  if (list.size() > static_cast<std::size_t>(limit))
    return DescribeRecord("%s of record %zu: %zu entries, at most %d", what, record, list.size(), limit);
  for (const std::int32_t index : list)
    if (!IndexInside(index, size))
      return DescribeRecord("%s of record %zu: index %d of %zu", what, record, index, size);
  return {};
}

std::string CheckSets(const YMeshData& mesh) {
  for (std::size_t i = 0; i < mesh.normalSets.size(); ++i) {
    const YMeshNormalSet& set = mesh.normalSets[i];
    std::string error = CheckList(set.faces, kMaxFacesPerNormal, mesh.faces.size(), "normal set faces", i);
    if (error.empty())
      error = CheckList(set.vertices, kMaxVertIdx, mesh.vertices.size(), "normal set vertices", i);
    if (!error.empty()) return error;
  }
  for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
    const YMeshPosition& p = mesh.positions[i];
    std::string error = CheckList(p.faces, kMaxFacesPerNormal, mesh.faces.size(), "position faces", i);
    if (error.empty())
      error = CheckList(p.vertices, kMaxVertIdx, mesh.vertices.size(), "position vertices", i);
    if (!error.empty()) return error;
  }
  return {};
}

std::string CheckDrawing(const YMeshData& mesh) {
  const std::size_t v = mesh.vertices.size();
  for (std::size_t i = 0; i < mesh.edges.size(); ++i) {
    const YMeshEdge& e = mesh.edges[i];
    if (!IndexInside(e.v0, v) || !IndexInside(e.v1, v) || !IndexInside(e.f0, mesh.faces.size()) ||
        !IndexInside(e.f1, mesh.faces.size()))
      return DescribeRecord("edge %zu: vertices %d, %d, faces %d, %d", i, e.v0, e.v1, e.f0, e.f1);
  }
  for (std::size_t i = 0; i < mesh.indices.size(); ++i)
    if (mesh.indices[i] >= v)
      return DescribeRecord("index %zu: vertex %d of %zu", i, int{mesh.indices[i]}, v);
  for (std::size_t i = 0; i < mesh.subsets.size(); ++i) {
    const YMeshSubset& s = mesh.subsets[i];
    const std::int64_t end = std::int64_t{s.firstIndex} + 3 * std::int64_t{s.triangleCount};
    const std::int64_t top = std::int64_t{s.lowestVertex} + s.vertexSpan;
    if (s.firstIndex < 0 || s.triangleCount < 0 || end > static_cast<std::int64_t>(mesh.indices.size()) ||
        s.lowestVertex < 0 || s.vertexSpan < 0 || top > static_cast<std::int64_t>(v))
      return DescribeRecord("subset %zu: indices %d + 3 x %d, vertices %d + %d", i, s.firstIndex,
                            s.triangleCount, s.lowestVertex, s.vertexSpan);
  }
  return {};
}

}  // namespace

void YMeshData::Write(OutStream& out) const {
  WriteString(out, name);
  WriteCount(out, vertices.size());
  for (const YMeshVertex& v : vertices) WriteVertex(out, v);
  WriteCount(out, faces.size());
  for (const YMeshFace& f : faces) {
    for (const std::uint32_t index : f.v) WriteInt(out, static_cast<std::int32_t>(index));
    WriteVector(out, f.normal);
  }
  WriteCount(out, normalSets.size());
  for (const YMeshNormalSet& set : normalSets) {
    WriteCount(out, set.faces.size());
    WriteList(out, set.faces);
    WriteCount(out, set.vertices.size());
    WriteList(out, set.vertices);
  }
  WriteCount(out, positions.size());
  for (const YMeshPosition& p : positions) {
    WriteVector(out, p.position);
    WriteCount(out, p.vertices.size());
    WriteCount(out, p.faces.size());
    WriteList(out, p.vertices);
    WriteList(out, p.faces);
  }
  WriteCount(out, edges.size());
  for (const YMeshEdge& e : edges)
    for (const std::int32_t value : {e.v0, e.v1, e.f0, e.f1}) WriteInt(out, value);
  WriteCount(out, indices.size());
  for (const std::uint16_t index : indices) WriteU16(out, index);
  WriteCount(out, subsets.size());
  for (const YMeshSubset& s : subsets)
    for (const std::int32_t value : {s.firstIndex, s.triangleCount, s.material, s.lowestVertex, s.vertexSpan})
      WriteInt(out, value);
}

bool YMeshData::Read(InStream& in, YMeshData& out, std::string& error) {
  YMeshData mesh;
  const char* section = "name";
  bool ok = !ReadString(in, mesh.name).Failed();
  const auto step = [&](const char* next, auto read) {
    if (!ok) return;
    section = next;
    ok = read();
  };
  step("vertices", [&] {
    return ReadArray(in, mesh.vertices, kVertexBytes, [&](YMeshVertex& v) { return ReadVertex(in, v); });
  });
  step("faces", [&] {
    return ReadArray(in, mesh.faces, kFaceBytes, [&](YMeshFace& f) {
      for (std::uint32_t& index : f.v) {
        std::int32_t raw = 0;
        ReadInt(in, raw);
        index = static_cast<std::uint32_t>(raw);
      }
      return ReadVector(in, f.normal);
    });
  });
  step("normal sets", [&] {
    return ReadArray(in, mesh.normalSets, kListBytes, [&](YMeshNormalSet& s) {
      return ReadList(in, s.faces, kMaxFacesPerNormal) && ReadList(in, s.vertices, kMaxVertIdx);
    });
  });
  step("positions", [&] {
    return ReadArray(in, mesh.positions, kPositionBytes, [&](YMeshPosition& p) {
      return ReadVector(in, p.position) &&
             ReadCountedPair(in, p.vertices, kMaxVertIdx, p.faces, kMaxFacesPerNormal);
    });
  });
  step("edges", [&] {
    return ReadArray(in, mesh.edges, kEdgeBytes, [&](YMeshEdge& e) {
      for (std::int32_t* value : {&e.v0, &e.v1, &e.f0, &e.f1}) ReadInt(in, *value);
      return !in.Failed();
    });
  });
  step("indices",
       [&] { return ReadArray(in, mesh.indices, 2, [&](std::uint16_t& i) { return ReadU16(in, i); }); });
  step("subsets", [&] {
    return ReadArray(in, mesh.subsets, kSubsetBytes, [&](YMeshSubset& s) {
      for (std::int32_t* value :
           {&s.firstIndex, &s.triangleCount, &s.material, &s.lowestVertex, &s.vertexSpan})
        ReadInt(in, *value);
      return !in.Failed();
    });
  });
  if (!ok || in.Failed()) {
    error = std::string("bad or truncated ") + section;
    return false;
  }
  error = mesh.CheckIndices();
  if (!error.empty()) return false;
  mesh.loaded = out.loaded;
  out = std::move(mesh);
  return true;
}

std::string YMeshData::CheckIndices() const {
  if (vertices.size() > kMaxRenderVertices)
    return DescribeRecord("%zu render vertices, at most %u", vertices.size(), kMaxRenderVertices);
  for (std::size_t i = 0; i < faces.size(); ++i)
    for (const std::uint32_t index : faces[i].v)
      if (index >= vertices.size())
        return DescribeRecord("face %zu: vertex %u of %zu", i, index, vertices.size());
  std::string error = CheckSets(*this);
  return error.empty() ? CheckDrawing(*this) : error;
}

void YMeshData::Clear() {
  std::string kept = std::move(name);
  *this = YMeshData();
  name = std::move(kept);
}

void YMeshData::ComputeFaceNormals(std::span<const YMeshVertex> vertices, std::span<YMeshFace> faces) {
  for (YMeshFace& face : faces) {
    const YMeshVertex& p = vertices[face.v[0]];
    const YMeshVertex& q = vertices[face.v[1]];
    const YMeshVertex& r = vertices[face.v[2]];
    const YVector3 pq(p.x - q.x, p.y - q.y, p.z - q.z);
    const YVector3 qr(q.x - r.x, q.y - r.y, q.z - r.z);
    face.normal.Cross(pq, qr);
    face.normal.Normalize();  // leaves a face without area at zero
  }
}

void YMeshData::ComputeVertexNormals(std::span<YMeshVertex> vertices, std::span<const YMeshFace> faces,
                                     std::span<const YMeshNormalSet> sets) {
  for (const YMeshNormalSet& set : sets) {
    YVector3 sum;
    for (const std::int32_t f : set.faces) sum.Add(sum, faces[static_cast<std::size_t>(f)].normal);
    const float length = sum.Length();
    const YVector3 normal =
        length >= 1e-6f ? YVector3(sum.x / length, sum.y / length, sum.z / length) : YVector3(0, 0, 1);
    for (const std::int32_t v : set.vertices) {
      YMeshVertex& vertex = vertices[static_cast<std::size_t>(v)];
      vertex.nx = normal.x;
      vertex.ny = normal.y;
      vertex.nz = normal.z;
    }
  }
}

void YMeshData::ScalePositions(std::span<YMeshVertex> vertices, std::span<const YMeshPosition> positions,
                               float factor) {
  for (const YMeshPosition& p : positions) {
    for (const std::int32_t v : p.vertices) {
      YMeshVertex& vertex = vertices[static_cast<std::size_t>(v)];
      vertex.x = p.position.x * factor;
      vertex.y = p.position.y * factor;
      vertex.z = p.position.z * factor;
    }
  }
}
