#include "tiles/TileBox.h"

#include "draw/TileAtlas.h"
#include "render/YCamera.h"
#include "render/YRender.h"

namespace tile_box {
namespace {

constexpr float kA = 0.5f;   // half width: one cell
constexpr float kB = 0.65f;  // half height
constexpr float kC = 0.7f;   // depth: one layer
constexpr float kU1 = kTileFaceU;
constexpr float kU2 = kTileSideU;

constexpr YMeshVertex V(float x, float y, float z, float nx, float ny, float nz, float u, float v) {
  return YMeshVertex{x, y, z, nx, ny, nz, u, v, u, v};
}

constexpr std::array<YMeshVertex, 24> kVertices = {{
    // 0: top
    V(-kA, -kB, kC, 0, 0, 1, 0, 1),
    V(kA, -kB, kC, 0, 0, 1, kU1, 1),
    V(kA, kB, kC, 0, 0, 1, kU1, 0),
    V(-kA, kB, kC, 0, 0, 1, 0, 0),
    // 1: left
    V(-kA, -kB, 0, -1, 0, 0, kU2, 1),
    V(-kA, -kB, kC, -1, 0, 0, 1, 1),
    V(-kA, kB, kC, -1, 0, 0, 1, 0),
    V(-kA, kB, 0, -1, 0, 0, kU2, 0),
    // 2: right
    V(kA, -kB, kC, 1, 0, 0, kU2, 1),
    V(kA, -kB, 0, 1, 0, 0, 1, 1),
    V(kA, kB, 0, 1, 0, 0, 1, 0),
    V(kA, kB, kC, 1, 0, 0, kU2, 0),
    // 3: front (towards -y)
    V(-kA, -kB, 0, 0, -1, 0, kU2, 0),
    V(kA, -kB, 0, 0, -1, 0, kU2, 1),
    V(kA, -kB, kC, 0, -1, 0, 1, 1),
    V(-kA, -kB, kC, 0, -1, 0, 1, 0),
    // 4: back (towards +y)
    V(-kA, kB, kC, 0, 1, 0, kU2, 0),
    V(kA, kB, kC, 0, 1, 0, kU2, 1),
    V(kA, kB, 0, 0, 1, 0, 1, 1),
    V(-kA, kB, 0, 0, 1, 0, 1, 0),
    // 5: bottom
    V(kA, -kB, 0, 0, 0, -1, kU1, 1),
    V(-kA, -kB, 0, 0, 0, -1, 0, 1),
    V(-kA, kB, 0, 0, 0, -1, 0, 0),
    V(kA, kB, 0, 0, 0, -1, kU1, 0),
}};

constexpr std::array<Edge, 12> kEdges = {{
    {1, 0, 1, 2},
    {2, 0, 3, 0},
    {3, 0, 2, 3},
    {4, 0, 0, 1},
    {1, 3, 0, 1},
    {3, 2, 1, 2},
    {2, 4, 2, 3},
    {4, 1, 3, 0},
    {1, 5, 3, 0},
    {3, 5, 0, 1},
    {2, 5, 1, 2},
    {4, 5, 2, 3},
}};

const YMeshVertex& Corner(int face, int corner) {
  return kVertices[static_cast<std::size_t>(4 * face + corner)];
}

}  // namespace

const std::array<YMeshVertex, 24>& Vertices() {
  return kVertices;
}
const std::array<Edge, 12>& Edges() {
  return kEdges;
}

YVector3 TurnedNormal(int face, const YMatrix4& m) {
  const YMeshVertex& v = Corner(face, 0);
  return YVector3(v.nx * m.m[0][0] + v.ny * m.m[1][0] + v.nz * m.m[2][0],
                  v.nx * m.m[0][1] + v.ny * m.m[1][1] + v.nz * m.m[2][1],
                  v.nx * m.m[0][2] + v.ny * m.m[1][2] + v.nz * m.m[2][2]);
}

bool FacesPoint(int face, const YMatrix4& matrix, const YVector3& point) {
  const YMeshVertex& v = Corner(face, 0);
  YVector3 towards;
  point.Subtract(towards, matrix.TransformPoint(YVector3(v.x, v.y, v.z)));
  return TurnedNormal(face, matrix).Dot(towards) > 0;
}

std::array<YMeshVertex, 4> PlacedFace(int face, const YMatrix4& matrix) {
  const YVector3 n = TurnedNormal(face, matrix);
  std::array<YMeshVertex, 4> quad;
  for (int k = 0; k < 4; ++k) {
    YMeshVertex v = Corner(face, k);
    const YVector3 p = matrix.TransformPoint(YVector3(v.x, v.y, v.z));
    v.x = p.x, v.y = p.y, v.z = p.z;
    v.nx = n.x, v.ny = n.y, v.nz = n.z;
    quad[static_cast<std::size_t>(k)] = v;
  }
  return quad;
}

bool DrawFace(int face, const YMatrix4& matrix) {
  if (g_render == nullptr || !FacesPoint(face, matrix, GetCamera().Eye())) return false;
  const std::array<YMeshVertex, 4> quad = PlacedFace(face, matrix);
  g_render->DrawQuad40(quad.data());
  return true;
}

void DrawPictureFaces(const YMatrix4& matrix, YTextureBase* top, YTextureBase* side) {
  if (g_render == nullptr) return;
  g_render->SetStageTexture(top, 0);
  DrawFace(kTopFace, matrix);
  g_render->SetStageTexture(side, 0);
  for (int face = 1; face < kBottomFace; ++face) DrawFace(face, matrix);
}

void DrawAllFaces(const YMatrix4& matrix) {
  for (int face = 0; face < kFaces; ++face) DrawFace(face, matrix);
}

}  // namespace tile_box
