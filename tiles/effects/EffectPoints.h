// The screen points, colours and warps every spell effect shares: the clash
// point between the portraits, the two portraits, each side's mana and
// health points with the gravity points that pull streams into them, the
// flame points, the whirls and the two constant forces; and the scene
// points of the tiles' flight. All in the 1000 x 625 UI space (y down)
// unless said otherwise. Built on first use, kept for the process.
#pragma once

#include "framework/YColor.h"
#include "framework/YVector3.h"
#include "tiles/effects/YSpaceGravity.h"
#include "tiles/effects/YSpaceGravityPoint.h"
#include "tiles/effects/YSpaceWhirl.h"

namespace effect_points {

// Resources: 0 air, 1 fire, 2 earth, 3 water, 4 health.
inline constexpr int kHealth = 4;
inline constexpr int kResources = 5;

// The clash point (500, 155) between the portraits.
YVector3 ClashPoint();
// The portrait of a side: (70, 93) and (930, 93).
YVector3 Portrait(int side);
// Where a side's resource is shown (its mana bar or health).
YVector3 ResourcePoint(int side, int resource);
// The colour of a resource's particles.
YColor ResourceColour(int resource);
// The gravity point standing at a side's resource point.
YSpaceGravityPoint* ResourceGravity(int side, int resource);
// One of the two flame points (0, 1) over a side's portrait, and its pull.
YVector3 FlamePoint(int side, int which);
YSpaceGravityPoint* FlameGravity(int side, int which);
// The whirl on a side's portrait (strength 1500 on side 0, -1500 on side 1).
YSpaceWhirl* Whirl(int side);
// The constant forces: falling (0, 200, 0) and rising (0, -250, 0).
YSpaceGravity* FallingForce();
YSpaceGravity* RisingForce();
// Where the storm's lightning starts for a side's portrait: the top corner
// above it.
YVector3 StormCorner(int side);
// Where a reflected hit's lightning starts for a side.
YVector3 ReflexCorner(int side);

// Scene points of the pair's flight (3D, tile scene): the hold points left
// and right, the clash points left and right.
YVector3 HoldPoint(int which);
YVector3 SceneClashPoint(int which);
// The wind that blows a side's taken tiles away.
YVector3 SideWind(int side);

}  // namespace effect_points
