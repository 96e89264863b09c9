// The tile battle's mouse: the tile under the cursor (picked with a ray
// from the camera against each tile's box), the partner tile a user may
// take, the spell the selected and the partner tile would cast, and clicks.
#include <algorithm>
#include <array>
#include <cmath>

#include "render/YCamera.h"
#include "tiles/DuelEvents.h"
#include "tiles/PairRules.h"
#include "tiles/YTileset.h"

namespace {

// The six faces of a tile's box in its own frame (x -0.5..0.5, y -0.65..0.65,
// z 0..0.7): each face's outward normal and its first corner.
struct TileFace {
  YVector3 normal;
  YVector3 corner;
};
constexpr float kHalfWidth = 0.5f, kHalfHeight = 0.65f, kDepth = 0.7f;
const std::array<TileFace, 6> kTileFaces = {{
    {YVector3(0, 0, 1), YVector3(-kHalfWidth, -kHalfHeight, kDepth)},
    {YVector3(-1, 0, 0), YVector3(-kHalfWidth, -kHalfHeight, 0)},
    {YVector3(1, 0, 0), YVector3(kHalfWidth, -kHalfHeight, kDepth)},
    {YVector3(0, -1, 0), YVector3(-kHalfWidth, -kHalfHeight, 0)},
    {YVector3(0, 1, 0), YVector3(-kHalfWidth, kHalfHeight, kDepth)},
    {YVector3(0, 0, -1), YVector3(kHalfWidth, -kHalfHeight, 0)},
}};
// A hit counts only strictly inside the box grown by this much.
constexpr float kHitMargin = 0.025f;
constexpr float kFarthestHit = 10000.0f;

bool InsideGrownBox(const YVector3& p) {
  return p.x > -kHalfWidth - kHitMargin && p.x < kHalfWidth + kHitMargin && p.y > -kHalfHeight - kHitMargin &&
         p.y < kHalfHeight + kHitMargin && p.z > -kHitMargin && p.z < kDepth + kHitMargin;
}

// The distance along the unit direction to the first face the ray enters,
// or kFarthestHit when it misses the box.
float BoxHit(const YVector3& origin, const YVector3& direction) {
  for (const TileFace& face : kTileFaces) {
    const float facing = face.normal.Dot(direction);
    if (facing >= -0.01f) continue;
    YVector3 toCorner;
    face.corner.Subtract(toCorner, origin);
    const float t = face.normal.Dot(toCorner) / facing;
    YVector3 step, hit;
    direction.Scale(step, t);
    origin.Add(hit, step);
    if (InsideGrownBox(hit)) return t;
  }
  return kFarthestHit;
}

}  // namespace

void YTileset::OnMouseMove(float x, float y) {
  mouseX_ = x;
  mouseY_ = y;
  const YPlayerCommander* commander = CommanderToMove();
  if (!dealt_ || commander == nullptr) return;
  Pick(commander->Kind() == YPlayerCommander::kUser);
}

void YTileset::OnClick(int, float, float) {
  if (dealt_ && UserToMove()) HandleClick();
}

void YTileset::Pick(bool user) {
  if (pending_ || (state_.flags & DuelFlag::kMoving) != 0) return;
  YVector3 origin, direction;
  GetCamera().CursorRay(mouseX_, mouseY_, origin, direction);
  underMouse_ = TileHitByRay(origin, direction);
  if (user) partner_ = (underMouse_ >= 0 && IsFree(state_, underMouse_)) ? underMouse_ : -1;
  spellPreview_ = nullptr;
  if (selected_ < 0 || partner_ < 0) return;
  const DuelKind& ka = state_.KindOf(selected_);
  const DuelKind& kb = state_.KindOf(partner_);
  const YTileSpell* spell = FindTileLink(state_.Mover(), ka.id, kb.id);
  if (spell != nullptr && CanAffordPair(state_.Mover(), ka, kb)) spellPreview_ = spell;
}

int YTileset::TileHitByRay(const YVector3& origin, const YVector3& direction) const {
  const DuelBoard& board = state_.board;
  float nearest = kFarthestHit;
  int found = -1;
  for (std::size_t i = 0; i < board.tiles.size(); ++i) {
    const YTile& t = board.tiles[i];
    if (t.state == YTile::kRemoved) continue;
    YMatrix4 inverse;
    t.world.Inverse(inverse);
    YVector3 localOrigin = inverse.TransformPoint(origin), through, localDirection;
    YVector3 ahead;
    origin.Add(ahead, direction);
    through = inverse.TransformPoint(ahead);
    through.Subtract(localDirection, localOrigin);
    localDirection.Normalize();
    const float distance = BoxHit(localOrigin, localDirection);
    if (distance >= nearest) continue;
    const int covered = board.HasLiveTileAt(t.x, t.y, t.z + 1) + board.HasLiveTileAt(t.x + 1, t.y, t.z + 1) +
                        board.HasLiveTileAt(t.x, t.y + 1, t.z + 1) +
                        board.HasLiveTileAt(t.x + 1, t.y + 1, t.z + 1);
    if (covered >= 3) continue;
    nearest = distance;
    found = static_cast<int>(i);
  }
  return found;
}

void YTileset::HandleClick() {
  if (pending_ || (state_.flags & DuelFlag::kMoving) != 0 || partner_ < 0) return;
  countdown_ = std::max(countdown_, kClickSeconds);
  events_->PlaySound("tuc2");
  if (partner_ == selected_) {
    selected_ = -1;
  } else if (selected_ >= 0 && CanMatch(state_, state_.Mover(), selected_, partner_)) {
    pending_ = true;
  } else {
    selected_ = partner_;
    partner_ = -1;
  }
}

bool YTileset::IsLegalMove(int a, int b) const {
  const int count = static_cast<int>(state_.board.tiles.size());
  if (a < 0 || b < 0 || a >= count || b >= count || a == b) return false;
  return IsFree(state_, a) && IsFree(state_, b) && CanMatch(state_, state_.Mover(), a, b);
}

// The board's frame spans the UI rows 10 to 507 above the message panels,
// so its middle stands this share of the view's half height above the
// view's middle.
constexpr float kFrameRise = (312.5f - 258.5f) / 312.5f;

// The camera of the rules' framing, then moved down its own up axis so that
// the board's middle shows in the middle of the frame: by the same share
// of the view for every layout, as the view distance grows with the board.
void YTileset::SetupView() const {
  const float distance = state_.board.viewDistance;
  YVector3 target(0.0f, -13.7f, distance);
  target.Normalize();
  const YVector3 eye(0.0f, -15.0f, distance);
  YMatrix4 placement = YCamera::LookAtPlacement(eye, target, YVector3(0, 1, 0));
  YCamera& camera = GetCamera();
  const float drop = kFrameRise * std::tan(camera.Fov() * 3.14159265f / 360.0f) * eye.Length();
  for (int i = 0; i < 3; ++i) placement.m[3][i] -= drop * placement.m[1][i];
  camera.SetView(placement);
}
