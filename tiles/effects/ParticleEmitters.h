// One-shot emitters of the spell shows: each adds a burst of 2D particles
// to the process's particle system at once and returns. Also the effects'
// shaders, looked up once. Points are in the 1000 x 625 UI space.
#pragma once

#include "framework/YColor.h"
#include "framework/YVector3.h"

class YShader;
class YSpaceWarp;

// The shaders of the particle effects, by the names of the shader file.
struct EffectShaders {
  YShader* spark;        // "spark2D"
  YShader* energySpark;  // "spark2D_2"
  YShader* blast;        // "blast2D"
  YShader* energyBlast;  // "blast2D_2"
  YShader* snow;         // "snow2D"
  YShader* skull;        // "skull"
  YShader* fire;         // "fire_part"
  YShader* cloud;        // "dcloud2D"
  YShader* meteorite;    // "meteorite"
  YShader* drop;         // "drop"
  YShader* lightning;    // "lightning"
  YShader* boom;         // "boom_tiles"
};
const EffectShaders& Shaders();

// One spark flying from `origin` into a side's resource (0-3 mana, 4
// health), steered by the gravity point there.
void EmitResourceParticle(const YVector3& origin, int side, int resource);
// `count` sparks thrown every way from the position at about 2 to 6 times
// `speed`, slowing to `speed`, in the shader and warp given.
void SparkBurst(const YVector3& position, float speed, int count, const YColor& startColour,
                const YColor& endColour, YShader* shader, YSpaceWarp* warp);
// A blast growing from `size` to three times it and fading to black, then a
// spark burst at 0.35 x size.
void BlastAndSparks(const YVector3& position, float size, int count, const YColor& startColour,
                    const YColor& endColour, YShader* blastShader, YShader* sparkShader, YSpaceWarp* warp);
void Explosion(const YVector3& position, float size, int count, const YColor& startColour,
               const YColor& endColour, YSpaceWarp* warp);
void IceExplosion(const YVector3& position, float size, int count);
void EnergyExplosion(const YVector3& position, float size, int count);
// Two blasts in colour A and two growing skulls in colour B.
void SkullBurst(const YVector3& position, float size, const YColor& colourA, const YColor& colourB);
