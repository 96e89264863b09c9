// The process's particles: a list of 2D particles in the 1000 x 625 UI
// space, drawn directly as squares in the 2D pass, and a list of 3D
// particles in the scene, drawn as camera-facing billboards through draw
// queue 1. Emitters add particles; the frame steps both lists once. Dead
// particles are replaced by the last of their list, so the order is not
// kept. Main thread only.
#pragma once

#include <vector>

#include "draw/YParticle.h"
#include "framework/YColor.h"
#include "framework/YVector3.h"

class YShader;
class YSpaceWarp;

class ParticleSystem {
 public:
  // Appends a particle of age 0 whose start speed is the length of its
  // velocity. A target speed of 0 or more makes the speed glide to it over
  // the life; a negative one leaves it alone. Warp and shader are not owned.
  // 2D: z is 0 for position and velocity.
  void AddParticle2D(float life, float startSize, float endSize, float x, float y, float vx, float vy,
                     float targetSpeed, YSpaceWarp* warp, YShader* shader, const YColor& startColour,
                     const YColor& endColour);
  void AddParticle3D(float life, float startSize, float endSize, const YVector3& position,
                     const YVector3& velocity, float targetSpeed, YSpaceWarp* warp, YShader* shader,
                     const YColor& startColour, const YColor& endColour);

  // Steps the 3D particles by dt and queues the living ones in draw queue 1
  // (drawn at its next flush, which must come in this frame).
  void Update3D(float dt);
  // Steps the 2D particles by dt and draws the living ones at once (UI
  // space, the 2D projection current).
  void UpdateAndDraw2D(float dt);
  // Drops every particle.
  void Clear();

  // One particle's step: ages it, lets its warp act, glides its speed and
  // moves it. False when it died (its age reached its life); it is then not
  // moved. A particle with a target speed but no velocity stays still.
  static bool Step(YParticle& particle, float dt);

  const std::vector<YParticle>& Particles2D() const { return list2D_; }
  const std::vector<YParticle>& Particles3D() const { return list3D_; }

 private:
  // Steps a list, removing the dead by moving the last particle into their
  // place (examined next); calls `alive` with each survivor's index.
  template <typename Visit>
  static void StepList(std::vector<YParticle>& list, float dt, Visit alive);

  std::vector<YParticle> list2D_;
  std::vector<YParticle> list3D_;
};

// The process's particle system.
ParticleSystem& GetParticleSystem();
