// A point that runs back and forth along a line in the UI space and leaves
// a trail of sparks: it shows whose turn it is. The tile battle has one per
// side along the top of each portrait; the board screen has a pair of its
// own. Main thread only.
#pragma once

#include <array>
#include <cstdint>

#include "framework/YColor.h"
#include "framework/YVector3.h"

class MovingMarker {
 public:
  static constexpr float kSpeed = 150.0f;        // units per second
  static constexpr float kTrailDensity = 0.25f;  // sparks per unit
  static constexpr float kSparkLife = 0.5f;

  // Starts at A moving towards B. A and B must differ.
  MovingMarker(float ax, float ay, float bx, float by);

  // Moves by dt x speed, turning at an end point by the excess, and adds
  // the trail of the way it went.
  void Update(float dt);

  YVector3 a, b;
  YVector3 position;
  YVector3 direction;  // unit vector from A to B
  YColor startColour{1, 0.75f, 0.5f, 0.5f};
  YColor endColour{1, 0, 0, 0};
  float speed = kSpeed;
  float trailDensity = kTrailDensity;
  std::uint8_t forward = 1;  // moving towards B

 private:
  // Sparks from p towards q: integer part of (|q - p| x density), at least 1.
  void AddTrail(const YVector3& p, const YVector3& q) const;
};

// The tile battle's side markers: side 0 over the left portrait, side 1
// over the right one.
std::array<MovingMarker, 2>& DuelSideMarkers();
// The board screen's two turn markers (lower and upper side).
std::array<MovingMarker, 2>& BoardSideMarkers();
