// The show routines of the spells: each starts the effects and particles of
// one kind of show (streams into the bars, bursts and skulls on a portrait,
// lightnings, rains, storms). They apply nothing to the battle. Sides are 0
// (left) and 1 (right); resources 0-3 mana, 4 health.
#pragma once

// `count` sparks from the clash point into a side's resource over 0.15 s.
void SpawnCollectResourceA(int side, int resource, int count);
// The same into the side's health.
void SpawnCollectResourceB(int side, int count);
// Every mana of the other side flowing into the same mana of this side.
void SpawnCollectResourceC(int side);
// Each side's mana flowing crosswise into the other's.
void SpawnCollectResourceD();
// Health drawn from the other side into this side's, and a skull burst on
// the other side's portrait.
void SpawnCollectAndBlast(int side);
void SpawnCollectAndBlast2(int side);
// A burst of sparks in the resource's colour at the resource's point.
void SpawnSparks(int side, int resource, int count);
// Red sparks bursting from the side's portrait.
void SpawnSparks2(int side);
// A blue blast on both portraits.
void SpawnBlast();
// Skull bursts: on a side's portrait, or on both.
void SpawnSkullBlast(int side);
void SpawnSkullBlast2();
void SpawnSkullBlast3(int side);
void SpawnSkullBlast4();
// An explosion on the side's portrait: fiery with falling sparks, or dark
// with sparks whirling about the portrait.
void SpawnBlastSpark(int side);
void SpawnBlastSpark2(int side);
// Lightning from the clash point to the portrait (forking), with sparks.
void SpawnLightningSparks(int side);
// A reflected hit: lightning from the side's reflex corner to its portrait.
void SpawnLightningSparks2(int side);
// Lightning to the portrait and on into the side's mana bars.
void SpawnLightningSparks3(int side);
// Forking lightning to the portrait and a skull burst there.
void SpawnLightningSkull(int side);
// Rains over the side's portrait: meteors, sparks; storms with lightning.
void SpawnMeteorRain(int side);
void SpawnSparkRain(int side);
void SpawnStorm(int side);
void SpawnSnowStorm(int side);
