// The board's three piece shapes, authored at 8.5 times the board's scale
// (a cell is 8.5 units wide), z up with the base at z = 0. Material 0 is
// the body, material 1 the face on top, mapped 0..1 across it with the
// picture's top towards +y. Each kind has its own outline, so the pieces
// are told apart by shape as well as colour.
#pragma once

#include "tools/meshgen/TextMesh.h"

// A low round token with a rounded edge and a recessed face.
TextMesh MonsterPiece();
// A taller octagonal token with bevelled edges and a raised rim round the face.
TextMesh BossPiece();
// The tallest: a round piece with a footed base, a waist and a flared crown.
TextMesh HeroPiece();
