#include "tiles/effects/ParticleEmitters.h"

#include "draw/EffectMath.h"
#include "draw/ParticleSystem.h"
#include "render/YShader.h"
#include "tiles/effects/EffectPoints.h"
#include "tiles/effects/EffectRandom.h"

using namespace effect_math;

namespace {

const YColor kBlack(0, 0, 0, 1);
constexpr float kStill = -1.0f;  // a target speed that leaves the speed alone

// A particle that neither moves nor changes speed.
void AddStill(float life, float startSize, float endSize, const YVector3& at, YShader* shader,
              const YColor& start, const YColor& end) {
  GetParticleSystem().AddParticle2D(life, startSize, endSize, at.x, at.y, 0, 0, kStill, nullptr, shader,
                                    start, end);
}

}  // namespace

const EffectShaders& Shaders() {
  static const EffectShaders shaders{GetShader("spark2D"),   GetShader("spark2D_2"), GetShader("blast2D"),
                                     GetShader("blast2D_2"), GetShader("snow2D"),    GetShader("skull"),
                                     GetShader("fire_part"), GetShader("dcloud2D"),  GetShader("meteorite"),
                                     GetShader("drop"),      GetShader("lightning"), GetShader("boom_tiles")};
  return shaders;
}

void EmitResourceParticle(const YVector3& origin, int side, int resource) {
  EffectRandom& random = GetEffectRandom();
  const YVector3 target = effect_points::ResourcePoint(side, resource);
  const float d = Distance(origin, target);
  const YVector3 u = Unit(target - origin);
  const float jx = 300 * random.Uniform();
  const float jy = 300 * random.Uniform();
  const YVector3 velocity = u * (2.4f * d) + Point(jx, jy);
  const YColor colour = effect_points::ResourceColour(resource);
  GetParticleSystem().AddParticle2D(0.7f, 20, 10, origin.x, origin.y, velocity.x, velocity.y, 1.2f * d,
                                    effect_points::ResourceGravity(side, resource), Shaders().spark, colour,
                                    WithAlpha(colour, 0.5f));
}

void SparkBurst(const YVector3& position, float speed, int count, const YColor& startColour,
                const YColor& endColour, YShader* shader, YSpaceWarp* warp) {
  EffectRandom& random = GetEffectRandom();
  for (int i = 0; i < count; ++i) {
    const float life = 1.5f + 0.25f * random.Uniform();
    const float scale = (4 + 2 * random.Uniform()) * speed;
    const YVector3 velocity = random.Direction2D() * scale;
    GetParticleSystem().AddParticle2D(life, 20, 5, position.x, position.y, velocity.x, velocity.y, speed,
                                      warp, shader, startColour, endColour);
  }
}

void BlastAndSparks(const YVector3& position, float size, int count, const YColor& startColour,
                    const YColor& endColour, YShader* blastShader, YShader* sparkShader, YSpaceWarp* warp) {
  AddStill(0.75f, size, 3 * size, position, blastShader, startColour, kBlack);
  SparkBurst(position, 0.35f * size, count, startColour, endColour, sparkShader, warp);
}

void Explosion(const YVector3& position, float size, int count, const YColor& startColour,
               const YColor& endColour, YSpaceWarp* warp) {
  BlastAndSparks(position, size, count, startColour, endColour, Shaders().blast, Shaders().spark, warp);
}

void IceExplosion(const YVector3& position, float size, int count) {
  BlastAndSparks(position, size, count, YColor(0.7f, 0.7f, 1, 1), YColor(0.5f, 0.5f, 1, 0.5f),
                 Shaders().blast, Shaders().snow, effect_points::FallingForce());
}

void EnergyExplosion(const YVector3& position, float size, int count) {
  BlastAndSparks(position, size, count, YColor(1, 0.9f, 1, 1), YColor(0.9f, 0, 0.9f, 1),
                 Shaders().energyBlast, Shaders().energySpark, effect_points::FallingForce());
}

void SkullBurst(const YVector3& position, float size, const YColor& colourA, const YColor& colourB) {
  AddStill(1.0f, size, 3 * size, position, Shaders().blast, colourA, kBlack);
  AddStill(0.5f, size, 3 * size, position, Shaders().blast, colourA, kBlack);
  AddStill(0.75f, 0.25f * size, 2.5f * size, position, Shaders().skull, colourB, WithAlpha(colourB, 0));
  AddStill(1.0f, 0.25f * size, 2.5f * size, position, Shaders().skull, colourB, WithAlpha(colourB, 0));
}
