// The names the board drawing looks up in the shader file and the mesh
// folder: the squares, walls, pits, border, markers and arrow, and per unit
// class its mesh with the body and face shaders of each side, and the blur
// shaders of the fading copies. The shipped-content test checks them all.
#pragma once

#include <array>

namespace board_shaders {

// Element kinds 0-3: air, fire, earth, water.
inline constexpr std::array<const char*, 4> kElements = {"ar_air", "ar_fire", "ar_earth", "ar_water"};
inline constexpr const char* kPit = "ar_pit";    // side faces of walls and pits
inline constexpr const char* kWall = "ar_wall";  // wall tops
inline constexpr const char* kBorder = "ar_border";
inline constexpr const char* kPowerPoint = "power_point";
inline constexpr const char* kArrow = "arrow";

// One unit class's mesh and, per side, its shaders: body first, face second.
struct UnitMeshNames {
  const char* mesh;
  std::array<std::array<const char*, 2>, 2> shaders;  // [side][body, face]
};
// Indexed by UnitClass: plain, boss, hero.
inline constexpr std::array<UnitMeshNames, 3> kUnitMeshes = {{
    {"mesh\\piece.mes", {{{"piece", "piece_face"}, {"piece2", "piece_face_flip"}}}},
    {"mesh\\pieceboss.mes", {{{"piece", "piece_face"}, {"piece2", "piece_face_flip"}}}},
    {"mesh\\piecehero.mes", {{{"pieceHero", "piece_face"}, {"pieceHero2", "piece_face_flip"}}}},
}};
// The blur copies' shaders per side: body, face.
inline constexpr std::array<std::array<const char*, 2>, 2> kBlurShaders = {
    {{"pieceBlur", "pieceBlur_face"}, {"pieceBlur2", "pieceBlur_face_flip"}}};
// The meshes are authored 8.5 times the size of a board cell.
inline constexpr float kUnitLoadFactor = 0.11764706f;

}  // namespace board_shaders
