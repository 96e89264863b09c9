// Names for the numbers the graphics device speaks: render states, texture
// stage states and their values, primitive kinds, vertex formats, transform
// slots and surface formats. The numbers are the ones the game's renderer and
// shader files were written against; the device maps them onto OpenGL.
#pragma once

#include <array>
#include <cstdint>

namespace platform {

// Render states the device understands (the renderer's state ids 0..19 map
// onto the first twenty; the rest are set by the renderer's frame start).
namespace rs {
inline constexpr std::uint32_t ZEnable = 7;
inline constexpr std::uint32_t ZWriteEnable = 14;
inline constexpr std::uint32_t SrcBlend = 19;
inline constexpr std::uint32_t DestBlend = 20;
inline constexpr std::uint32_t CullMode = 22;
inline constexpr std::uint32_t ZFunc = 23;
inline constexpr std::uint32_t AlphaBlendEnable = 27;
inline constexpr std::uint32_t SpecularEnable = 29;
inline constexpr std::uint32_t StencilEnable = 52;
inline constexpr std::uint32_t StencilFail = 53;
inline constexpr std::uint32_t StencilZFail = 54;
inline constexpr std::uint32_t StencilPass = 55;
inline constexpr std::uint32_t StencilFunc = 56;
inline constexpr std::uint32_t StencilRef = 57;
inline constexpr std::uint32_t StencilMask = 58;
inline constexpr std::uint32_t StencilWriteMask = 59;
inline constexpr std::uint32_t TextureFactor = 60;
inline constexpr std::uint32_t Lighting = 137;
inline constexpr std::uint32_t Ambient = 139;          // 0xAARRGGBB
inline constexpr std::uint32_t ColorVertex = 141;
inline constexpr std::uint32_t LocalViewer = 142;
inline constexpr std::uint32_t DiffuseMaterialSource = 145;
inline constexpr std::uint32_t SpecularMaterialSource = 146;
inline constexpr std::uint32_t AmbientMaterialSource = 147;
inline constexpr std::uint32_t EmissiveMaterialSource = 148;
}  // namespace rs

// Values of render states.
namespace blend {  // SrcBlend, DestBlend
inline constexpr std::uint32_t Zero = 1, One = 2, SrcColor = 3, InvSrcColor = 4, SrcAlpha = 5,
                               InvSrcAlpha = 6, DestAlpha = 7, InvDestAlpha = 8, DestColor = 9,
                               InvDestColor = 10, SrcAlphaSat = 11;
}
namespace cmp {  // ZFunc, StencilFunc
inline constexpr std::uint32_t Never = 1, Less = 2, Equal = 3, LessEqual = 4, Greater = 5, NotEqual = 6,
                               GreaterEqual = 7, Always = 8;
}
namespace cull {  // CullMode: which winding is culled (clockwise = front faces as the game winds them)
inline constexpr std::uint32_t None = 1, Clockwise = 2, CounterClockwise = 3;
}
namespace stencilop {
inline constexpr std::uint32_t Keep = 1, Zero = 2, Replace = 3, IncrSat = 4, DecrSat = 5, Invert = 6,
                               Incr = 7, Decr = 8;  // Incr/Decr wrap around
}
namespace mcs {  // material colour sources
inline constexpr std::uint32_t Material = 0, Color1 = 1, Color2 = 2;
}

// Texture stage states.
namespace tss {
inline constexpr std::uint32_t ColorOp = 1;
inline constexpr std::uint32_t ColorArg1 = 2;
inline constexpr std::uint32_t ColorArg2 = 3;
inline constexpr std::uint32_t AlphaOp = 4;
inline constexpr std::uint32_t AlphaArg1 = 5;
inline constexpr std::uint32_t AlphaArg2 = 6;
inline constexpr std::uint32_t AddressU = 13;
inline constexpr std::uint32_t AddressV = 14;
inline constexpr std::uint32_t MagFilter = 16;
inline constexpr std::uint32_t MinFilter = 17;
inline constexpr std::uint32_t MipFilter = 18;
inline constexpr std::uint32_t TextureTransformFlags = 24;  // 0 off, 2 two coordinates
}  // namespace tss

namespace top {  // ColorOp, AlphaOp
inline constexpr std::uint32_t Disable = 1, SelectArg1 = 2, SelectArg2 = 3, Modulate = 4, Modulate2x = 5,
                               Modulate4x = 6, Add = 7, AddSigned = 8, AddSigned2x = 9, Subtract = 10,
                               AddSmooth = 11, BlendDiffuseAlpha = 12, BlendTextureAlpha = 13,
                               BlendFactorAlpha = 14, BlendTextureAlphaPM = 15, BlendCurrentAlpha = 16,
                               PreModulate = 17, ModulateAlphaAddColor = 18, ModulateColorAddAlpha = 19,
                               ModulateInvAlphaAddColor = 20, ModulateInvColorAddAlpha = 21,
                               DotProduct3 = 24, MultiplyAdd = 25, Lerp = 26;
}
namespace targ {  // ColorArg*, AlphaArg*
inline constexpr std::uint32_t Diffuse = 0, Current = 1, Texture = 2, TFactor = 3, Specular = 4;
// The argument is in the low bits; modifiers may be added: one minus the
// argument, and its alpha in every channel.
inline constexpr std::uint32_t SelectMask = 0x0F, Complement = 0x10, AlphaReplicate = 0x20;
}
namespace tfilter {
inline constexpr std::uint32_t None = 0, Point = 1, Linear = 2, Anisotropic = 3, FlatCubic = 4,
                               GaussianCubic = 5;
}
namespace taddress {
inline constexpr std::uint32_t Wrap = 1, Mirror = 2, Clamp = 3, Border = 4, MirrorOnce = 5;
}

// Vertex formats: position only; position and two texture-coordinate sets;
// position, normal and two texture-coordinate sets.
namespace fvf {
inline constexpr std::uint32_t Position = 0x002;
inline constexpr std::uint32_t PositionTex2 = 0x202;
inline constexpr std::uint32_t PositionNormalTex2 = 0x212;
}  // namespace fvf

enum class PrimitiveType { TriangleList, TriangleStrip, TriangleFan, LineStrip };

// Transform slots; Texture0 + n is stage n's texture matrix.
enum class TransformKind { World, View, Projection, Texture0 };

// Surface formats of display modes and textures.
namespace fmt {
inline constexpr std::uint32_t R8G8B8 = 20, A8R8G8B8 = 21, X8R8G8B8 = 22, R5G6B5 = 23, X1R5G5B5 = 24,
                               A1R5G5B5 = 25, A4R4G4B4 = 26, R3G3B2 = 27, A8 = 28, A8R3G3B2 = 29,
                               X4R4G4B4 = 30, A2B10G10R10 = 31, G16R16 = 34, A8P8 = 40, P8 = 41, L8 = 50,
                               A8L8 = 51, A4L4 = 52;
// Depth-stencil formats.
inline constexpr std::uint32_t D16Lockable = 70, D32 = 71, D15S1 = 73, D24S8 = 75, D24X8 = 77, D24X4S4 = 79,
                               D16 = 80;
}  // namespace fmt

// A 4 x 4 matrix as sixteen floats row by row, row-vector convention
// (translation in elements 12, 13, 14).
using Matrix16 = std::array<float, 16>;

struct ColorValue {
  float r = 0, g = 0, b = 0, a = 0;
};

// The fixed-function material: diffuse, ambient, specular, emissive, power.
struct DeviceMaterial {
  ColorValue diffuse, ambient, specular, emissive;
  float power = 0;
};

// The one directional light of the scene.
struct DeviceLight {
  ColorValue diffuse, specular, ambient;
  float direction[3] = {0, 0, 1};
};

}  // namespace platform
