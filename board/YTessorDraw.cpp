// The board in 3D: one square per cell in its element's colours (mutex
// cells fading between two elements with the clock), raised walls and
// sunken pits with the side faces the camera sees, the walls' shadows, the
// power points, the border, the units and the preview arrow. Cells the
// selected or hovered unit cannot reach are dimmed.
#include <cmath>
#include <utility>

#include "board/BoardShaderNames.h"
#include "board/YTessor.h"
#include "players/YPlayer.h"
#include "render/Shadows.h"
#include "render/YCamera.h"
#include "render/YMeshInstanceRef.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "render/YShaderStage.h"

namespace {

constexpr float kWallHeight = 0.3f;
constexpr float kPitDepth = -0.5f;
constexpr float kDimming = 0.6f;
constexpr float kPitFloorLight = 0.45f;
constexpr float kFaintPowerPoint = 0.33f;
constexpr float kBorderWidth = 0.3f;
constexpr int kBorderSegments = 10;
constexpr float kBoardHalf = 4.5f;

struct BoardShaders {
  std::array<YShader*, 4> elements{};
  YShader* pit = GetShader(board_shaders::kPit);
  YShader* wall = GetShader(board_shaders::kWall);
  YShader* border = GetShader(board_shaders::kBorder);
  YShader* powerPoint = GetShader(board_shaders::kPowerPoint);
  YShader* arrow = GetShader(board_shaders::kArrow);

  BoardShaders() {
    for (std::size_t k = 0; k < elements.size(); ++k) elements[k] = GetShader(board_shaders::kElements[k]);
  }
};

// Looked up on first use and kept for the process.
const BoardShaders& Shaders() {
  static const BoardShaders shaders;
  return shaders;
}

YColor Scaled(const YColor& c, float k) {
  return YColor(c.r * k, c.g * k, c.b * k, c.a);
}

YColor Mixed(const YColor& a, const YColor& b, float f) {
  return YColor(a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f, a.a + (b.a - a.a) * f);
}

// The material's colours times k, opaque.
YMaterial Darker(const YMaterial& m, float k) {
  YMaterial out{Scaled(m.diffuse, k), Scaled(m.ambient, k), Scaled(m.specular, k), Scaled(m.emissive, k),
                m.power};
  out.diffuse.a = 1;
  return out;
}

// (1 - f) x a + f x b, colour by colour.
YMaterial Blended(const YMaterial& a, const YMaterial& b, float f) {
  return YMaterial{Mixed(a.diffuse, b.diffuse, f), Mixed(a.ambient, b.ambient, f),
                   Mixed(a.specular, b.specular, f), Mixed(a.emissive, b.emissive, f),
                   a.power + (b.power - a.power) * f};
}

YMaterial MaybeDimmed(const YMaterial& m, bool dimmed) {
  return dimmed ? Darker(m, kDimming) : m;
}

// The shader with this material: SetShader keeps the material of a shader
// that is already current, so the material is always set after it.
void Use(YShader* shader, const YMaterial& material) {
  g_render->SetShader(shader, false);
  g_render->SetMaterial(material, true);
}

YVector3 At(const YMeshVertex& v) {
  return YVector3(v.x, v.y, v.z);
}

// The vertex at `p` with the normal and both texture pairs (u, v).
YMeshVertex Vertex(const YVector3& p, const YVector3& n, float u, float v) {
  return YMeshVertex{p.x, p.y, p.z, n.x, n.y, n.z, u, v, u, v};
}

// One side of a cell: its two corners on the quad (in the order the quad
// runs) and its outward normal in the world. Sides 0-3 are the board's
// +x, +y, -x and -y directions; with the view flip the quad's corners are
// mirrored and the normals with them.
struct CellSide {
  YVector3 a, b, normal;
};

CellSide SideOf(const std::array<YMeshVertex, 4>& quad, int side) {
  const YVector3 a = At(quad[static_cast<std::size_t>((side + 1) % 4)]);
  const YVector3 b = At(quad[static_cast<std::size_t>((side + 2) % 4)]);
  const YVector3 centre((quad[0].x + quad[2].x) * 0.5f, (quad[0].y + quad[2].y) * 0.5f, 0);
  YVector3 normal((a.x + b.x) * 0.5f - centre.x, (a.y + b.y) * 0.5f - centre.y, 0);
  normal.Normalize();
  return {a, b, normal};
}

// Whether a face through `point` with that normal turns towards the eye.
bool FacesEye(const YVector3& point, const YVector3& normal) {
  YVector3 towards;
  GetCamera().Eye().Subtract(towards, point);
  return normal.Dot(towards) > 0;
}

// The upright face along the side from height `top` down to `bottom`.
void DrawUpright(const CellSide& side, float top, float bottom, const YVector3& normal) {
  const YVector3 a1(side.a.x, side.a.y, top), b1(side.b.x, side.b.y, top);
  const YVector3 a0(side.a.x, side.a.y, bottom), b0(side.b.x, side.b.y, bottom);
  const YMeshVertex face[4] = {Vertex(a1, normal, 0, 0), Vertex(b1, normal, 1, 0), Vertex(b0, normal, 1, 1),
                               Vertex(a0, normal, 0, 1)};
  g_render->DrawQuad40(face);
}

// The board steps towards sides 0-3.
constexpr StepDirection kSideSteps[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};

bool IsKind(const YTessorBoard& board, int x, int y, std::uint32_t kind) {
  return IsOnBoard(x, y) && board.Cell(x, y).Kind() == kind;
}

// When one of the faces with normals n1 and n2 turns towards the light and
// the other away, adds their common edge p-q to the shadows, running along
// lit x unlit so that every extruded side of a volume winds the same way.
void AddIfSilhouette(YVector3 p, YVector3 q, const YVector3& n1, const YVector3& n2, const YVector3& light) {
  const bool lit1 = n1.Dot(light) < 0;
  if (lit1 == (n2.Dot(light) < 0)) return;
  YVector3 along, order;
  q.Subtract(along, p);
  order.Cross(lit1 ? n1 : n2, lit1 ? n2 : n1);
  if (along.Dot(order) < 0) std::swap(p, q);
  AddShadowEdge(p, q);
}

// The silhouette of the wall block on the quad under the camera's light.
void AddWallShadow(const std::array<YMeshVertex, 4>& quad) {
  const YVector3& light = GetCamera().LightDirection();
  const YVector3 up(0, 0, 1), down(0, 0, -1);
  for (int s = 0; s < 4; ++s) {
    const CellSide side = SideOf(quad, s);
    const CellSide next = SideOf(quad, (s + 1) % 4);
    const YVector3 aTop(side.a.x, side.a.y, kWallHeight), bTop(side.b.x, side.b.y, kWallHeight);
    AddIfSilhouette(aTop, bTop, up, side.normal, light);
    AddIfSilhouette(side.a, side.b, down, side.normal, light);
    AddIfSilhouette(side.b, bTop, side.normal, next.normal, light);
  }
}

// A strip of ten segments along one edge of the board, from its inner edge
// outwards by the border's width, mitred at the corners; the texture's
// second coordinate steps by 1/9 per segment. With `lower`, a second strip
// hangs from its outer edge down to the pits' depth.
void DrawBorderStrip(const YVector3& start, const YVector3& along, const YVector3& across, bool lower) {
  std::array<YTexVertex, 2 * (kBorderSegments + 1)> strip;
  std::array<YTexVertex, 2 * (kBorderSegments + 1)> apron;
  const float innerLength = 2 * kBoardHalf;
  const float outerLength = innerLength + 2 * kBorderWidth;
  for (int i = 0; i <= kBorderSegments; ++i) {
    const float t = static_cast<float>(i) / kBorderSegments;
    const float v = static_cast<float>(i) / 9;
    const float di = t * innerLength, dOut = t * outerLength - kBorderWidth;
    const YVector3 inner(start.x + along.x * di, start.y + along.y * di, 0);
    const YVector3 outer(start.x + along.x * dOut + across.x * kBorderWidth,
                         start.y + along.y * dOut + across.y * kBorderWidth, 0);
    const auto at = static_cast<std::size_t>(2 * i);
    strip[at] = YTexVertex(inner, YVector2(0, v));
    strip[at + 1] = YTexVertex(outer, YVector2(1, v));
    apron[at] = YTexVertex(outer, YVector2(1, v));
    apron[at + 1] = YTexVertex(YVector3(outer.x, outer.y, kPitDepth), YVector2(0.75f, v));
  }
  g_render->DrawStrip28(strip.data(), 2 * kBorderSegments);
  if (lower) g_render->DrawStrip28(apron.data(), 2 * kBorderSegments);
}

void DrawBorder() {
  g_render->SetShader(Shaders().border, true);
  const float h = kBoardHalf;
  DrawBorderStrip(YVector3(-h, -h, 0), YVector3(1, 0, 0), YVector3(0, -1, 0), true);
  DrawBorderStrip(YVector3(h, -h, 0), YVector3(0, 1, 0), YVector3(1, 0, 0), true);
  DrawBorderStrip(YVector3(h, h, 0), YVector3(-1, 0, 0), YVector3(0, 1, 0), true);
  DrawBorderStrip(YVector3(-h, h, 0), YVector3(0, -1, 0), YVector3(-1, 0, 0), true);
}

}  // namespace

void YTessor::CellToWorld(int x, int y, bool mirrored) {
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const float xs[4] = {fx, fx + 1, fx + 1, fx};
  const float ys[4] = {fy, fy, fy + 1, fy + 1};
  const float own[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
  for (std::size_t k = 0; k < 4; ++k) {
    YMeshVertex& v = cellQuad_[k];
    v.x = mirrored ? kBoardHalf - xs[k] : xs[k] - kBoardHalf;
    v.y = mirrored ? kBoardHalf - ys[k] : ys[k] - kBoardHalf;
    v.z = 0;
    v.nx = v.ny = 0;
    v.nz = 1;
    v.u = xs[k] / kBoardSize;
    v.v = ys[k] / kBoardSize;
    v.lu = own[k][0];
    v.lv = own[k][1];
  }
}

bool YTessor::DimmingOn() const {
  if (stateFlags != 0) return false;
  if (selected != nullptr) return true;
  const YTessorPlayerCommander* mover = Commander(board_.sideToMove);
  if (mover == nullptr || mover->Kind() != commander_kind::kUser || !IsOnBoard(cursorX, cursorY))
    return false;
  const YTessorUnit* hovered = board_.Cell(cursorX, cursorY).occupant;
  return hovered != nullptr && hovered->side == board_.sideToMove;
}

void YTessor::DrawBoard() {
  if (g_render == nullptr) return;
  g_render->SetWorldTransform(YMatrix4());
  const bool dimming = DimmingOn();
  const bool shadows = ShadowsEnabled();
  powerPointsUnderUnits_.clear();
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) {
      CellToWorld(x, y, board_.viewFlip);
      const YTessorCell& cell = board_.Cell(x, y);
      DrawCell(x, y, dimming && !board_.ReachAt(x, y).Reached());
      if (cell.Kind() == cell_kind::kWall && shadows) AddWallShadow(cellQuad_);
      if (!cell.IsPowerPoint()) continue;
      if (cell.occupant == nullptr)
        DrawPowerPoint(1.0f);
      else
        powerPointsUnderUnits_.push_back(CellIndex(x, y));
    }
  }
  DrawBorder();
  for (int side = 0; side < 2; ++side)
    for (YTessorUnit* unit : board_.Units(side)) DrawUnit(unit);
  g_render->SetWorldTransform(YMatrix4());
  for (const int index : powerPointsUnderUnits_) {
    CellToWorld(index % kBoardSize, index / kBoardSize, board_.viewFlip);
    DrawPowerPoint(kFaintPowerPoint);
  }
}

void YTessor::DrawCell(int x, int y, bool dimmed) {
  const BoardShaders& shaders = Shaders();
  const std::uint32_t kind = board_.Cell(x, y).Kind();
  if (kind <= cell_kind::kWater) {
    YShader* shader = shaders.elements[kind];
    Use(shader, MaybeDimmed(shader->material, dimmed));
    g_render->DrawQuad40(cellQuad_.data());
  } else if (kind == cell_kind::kMutex) {
    const float t = std::isfinite(board_.clock) ? board_.clock * 4 : 0.0f;
    const float whole = std::floor(t);
    const int p = ((static_cast<int>(whole) % 4) + 4) % 4;  // a clock outside 0..1 still names an element
    YShader* from = shaders.elements[static_cast<std::size_t>(p)];
    YShader* to = shaders.elements[static_cast<std::size_t>((p + 1) % 4)];
    Use(from, MaybeDimmed(Blended(from->material, to->material, t - whole), dimmed));
    g_render->DrawQuad40(cellQuad_.data());
  } else if (kind == cell_kind::kWall) {
    DrawSides(x, y, kWallHeight, 0, MaybeDimmed(shaders.pit->material, dimmed));
    for (YMeshVertex& v : cellQuad_) v.z = kWallHeight;
    Use(shaders.wall, MaybeDimmed(shaders.wall->material, dimmed));
    g_render->DrawQuad40(cellQuad_.data());
    for (YMeshVertex& v : cellQuad_) v.z = 0;
  } else if (kind == cell_kind::kPit) {
    const YMaterial rock = MaybeDimmed(shaders.pit->material, dimmed);
    DrawSides(x, y, 0, kPitDepth, rock);
    Use(shaders.pit, Darker(rock, kPitFloorLight));  // the floor, in the hole's gloom
    for (YMeshVertex& v : cellQuad_) v.z = kPitDepth;
    g_render->DrawQuad40(cellQuad_.data());
    for (YMeshVertex& v : cellQuad_) v.z = 0;
  }
}

// The upright faces of a wall (from its top down to the board, facing out)
// or a pit (from the board down to its floor, facing into the hole) on the
// sides whose neighbour is of another kind, where they turn to the camera.
void YTessor::DrawSides(int x, int y, float top, float bottom, const YMaterial& material) {
  const std::uint32_t kind = board_.Cell(x, y).Kind();
  const bool inward = kind == cell_kind::kPit;
  Use(Shaders().pit, material);
  for (int s = 0; s < 4; ++s) {
    const StepDirection step = kSideSteps[s];
    if (IsKind(board_, x + step.dx, y + step.dy, kind)) continue;
    const CellSide side = SideOf(cellQuad_, s);
    YVector3 normal = side.normal;
    if (inward) side.normal.Negate(normal);
    const YVector3 middle((side.a.x + side.b.x) * 0.5f, (side.a.y + side.b.y) * 0.5f, (top + bottom) * 0.5f);
    if (FacesEye(middle, normal)) DrawUpright(side, top, bottom, normal);
  }
}

void YTessor::DrawPowerPoint(float alpha) {
  if (g_render == nullptr) return;
  const float own[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
  for (std::size_t k = 0; k < 4; ++k) {
    cellQuad_[k].u = own[k][0];
    cellQuad_[k].v = own[k][1];
  }
  YShader* shader = Shaders().powerPoint;
  if (alpha >= 1.0f)
    Use(shader, shader->material);
  else
    g_render->SetShaderColor(shader, YColor(1, 1, 1, alpha));
  g_render->DrawQuad40(cellQuad_.data());
}

void YTessor::DrawArrow() {
  const std::vector<YTexVertex>& ribbon = path_.ribbon;
  if (g_render == nullptr || ribbon.size() < 3) return;
  g_render->SetWorldTransform(YMatrix4());
  g_render->SetShader(Shaders().arrow, true);
  g_render->DrawStrip28(ribbon.data(), static_cast<std::uint32_t>(ribbon.size() - 2));
}

namespace {

// The face texture goes into the face shader's first stage; when that
// shader is the current one the renderer is told at once.
void SetFace(YShader* faceShader, YTessorUnit& unit) {
  if (faceShader == nullptr || faceShader->stages.empty() || unit.record == nullptr) return;
  YTextureBase* face = unit.record->GetFace();
  faceShader->stages[0]->texture = face;
  if (g_render->currentShader == faceShader) g_render->SetStageTexture(face, 0);
}

}  // namespace

void YTessor::DrawUnit(YTessorUnit* unit) {
  if (unit == nullptr || g_render == nullptr) return;
  YMeshInstanceRef* mesh = unit->BuildMeshes(unit->side);
  YMatrix4 world;
  world.SetTranslation(unit->position);
  mesh->SetMatrix(world);
  SetFace(mesh->shaders.size() > 1 ? mesh->shaders[1] : nullptr, *unit);
  mesh->Draw();
}

void YTessor::DrawUnitBlur(YTessorUnit* unit, const YMatrix4& matrix, const YColor& colour) {
  if (unit == nullptr || g_render == nullptr) return;
  YMeshInstanceRef* mesh = unit->BuildMeshes(unit->side);
  mesh->SetMatrix(matrix);
  const std::span<YShader* const> blur = YTessorUnit::BlurShaders(unit->side);
  SetFace(blur[1], *unit);
  mesh->DrawColored(blur, colour, false);
}
