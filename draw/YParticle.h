// One particle: a small textured square that lives for a fixed time, moves,
// grows or shrinks and fades from a start colour to an end colour. A plain
// record, copied by value into the particle system's lists.
#pragma once

#include "framework/YColor.h"
#include "framework/YVector3.h"

class YShader;
class YSpaceWarp;

struct YParticle {
  float life = 0;  // seconds; the particle dies when its age reaches it
  float age = 0;
  float startSize = 0, endSize = 0;
  float startSpeed = 0;    // the length of the velocity given at creation
  float targetSpeed = -1;  // 0 or more: the speed glides to it over the life
  YVector3 position;
  YVector3 velocity;  // units per second
  YColor startColour, endColour;
  YShader* shader = nullptr;   // not owned
  YSpaceWarp* warp = nullptr;  // not owned; bends the velocity every frame

  // age / life, 0 to 1.
  float Progress() const { return life > 0 ? age / life : 1.0f; }
  // The size and colour at the current age.
  float Size() const { return startSize + (endSize - startSize) * Progress(); }
  YColor Colour() const;
};
