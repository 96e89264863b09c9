#include "draw/ParticleSystem.h"

#include "draw/EffectMath.h"
#include "draw/YDrawParticle.h"
#include "draw/YSpaceWarp.h"
#include "framework/YTexVertex.h"
#include "render/YDrawQueue.h"
#include "render/YRender.h"

using namespace effect_math;

namespace {

YParticle MakeParticle(float life, float startSize, float endSize, const YVector3& position,
                       const YVector3& velocity, float targetSpeed, YSpaceWarp* warp, YShader* shader,
                       const YColor& startColour, const YColor& endColour) {
  YParticle p;
  p.life = life;
  p.startSize = startSize;
  p.endSize = endSize;
  p.startSpeed = Length(velocity);
  p.targetSpeed = targetSpeed;
  p.position = position;
  p.velocity = velocity;
  p.startColour = startColour;
  p.endColour = endColour;
  p.shader = shader;
  p.warp = warp;
  return p;
}

// A square of half side h about the particle in the UI space.
void DrawSquare(const YParticle& p) {
  const float h = p.Size() * 0.5f;
  const float l = p.position.x - h, r = p.position.x + h, t = p.position.y - h, b = p.position.y + h;
  const YTexVertex quad[4] = {
      YTexVertex(YVector3(l, t, 0), YVector2(0, 0)), YTexVertex(YVector3(l, b, 0), YVector2(0, 1)),
      YTexVertex(YVector3(r, b, 0), YVector2(1, 1)), YTexVertex(YVector3(r, t, 0), YVector2(1, 0))};
  UseParticleShader(p.shader, p.Colour());
  g_render->DrawQuad28(quad);
}

}  // namespace

void ParticleSystem::AddParticle2D(float life, float startSize, float endSize, float x, float y, float vx,
                                   float vy, float targetSpeed, YSpaceWarp* warp, YShader* shader,
                                   const YColor& startColour, const YColor& endColour) {
  list2D_.push_back(MakeParticle(life, startSize, endSize, Point(x, y), Point(vx, vy), targetSpeed, warp,
                                 shader, startColour, endColour));
}

void ParticleSystem::AddParticle3D(float life, float startSize, float endSize, const YVector3& position,
                                   const YVector3& velocity, float targetSpeed, YSpaceWarp* warp,
                                   YShader* shader, const YColor& startColour, const YColor& endColour) {
  list3D_.push_back(MakeParticle(life, startSize, endSize, position, velocity, targetSpeed, warp, shader,
                                 startColour, endColour));
}

bool ParticleSystem::Step(YParticle& p, float dt) {
  p.age += dt;
  if (p.age >= p.life) return false;
  const float t = p.age / p.life;
  if (p.warp != nullptr) p.warp->Apply(p, dt);
  if (p.targetSpeed >= 0) {
    const float speed = p.startSpeed + (p.targetSpeed - p.startSpeed) * t;
    const float length = Length(p.velocity);
    if (length > 0) p.velocity = p.velocity * (speed / length);
  }
  p.position = p.position + p.velocity * dt;
  return true;
}

template <typename Visit>
void ParticleSystem::StepList(std::vector<YParticle>& list, float dt, Visit alive) {
  std::size_t i = 0;
  while (i < list.size()) {
    if (!Step(list[i], dt)) {
      list[i] = list.back();
      list.pop_back();
      continue;
    }
    alive(i);
    ++i;
  }
}

void ParticleSystem::Update3D(float dt) {
  YDrawParticle& drawer = YDrawParticle::Instance();
  StepList(list3D_, dt, [&](std::size_t i) { YDrawQueue::Push1(i, list3D_[i].position, &drawer); });
}

void ParticleSystem::UpdateAndDraw2D(float dt) {
  const bool draw = g_render != nullptr;
  StepList(list2D_, dt, [&](std::size_t i) {
    if (draw) DrawSquare(list2D_[i]);
  });
}

void ParticleSystem::Clear() {
  list2D_.clear();
  list3D_.clear();
}

ParticleSystem& GetParticleSystem() {
  static ParticleSystem system;
  return system;
}
