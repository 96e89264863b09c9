// Texture stage operations translated into OpenGL's texture combiner terms,
// without GL calls: which combine function, which three inputs and which
// scale a stage's colour or alpha operation becomes, and how many stages
// run before the first disabled one. GLTextureStages turns this into GL.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace platform {

enum class CombineFunc {
  Replace,      // in0
  Modulate,     // in0 * in1
  Add,          // in0 + in1
  AddSigned,    // in0 + in1 - 0.5
  Subtract,     // in0 - in1
  Interpolate,  // in0 * in2 + in1 * (1 - in2)
  ModulateAdd,  // in0 * in2 + in1 (needs the driver's combine3 extension)
  Dot3,         // 4 * dot(in0 - 0.5, in1 - 0.5) in every channel
};
enum class CombineSource { Previous, Primary, Texture, Constant };
enum class CombineOperand { Color, InvColor, Alpha, InvAlpha };

struct CombineInput {
  CombineSource source = CombineSource::Previous;
  CombineOperand operand = CombineOperand::Color;
  bool operator==(const CombineInput&) const = default;
};

struct CombineSetup {
  CombineFunc func = CombineFunc::Replace;
  std::array<CombineInput, 3> in{};
  int scale = 1;  // 1, 2 or 4
  bool operator==(const CombineSetup&) const = default;
};

// The combine of a stage's colour (alpha: the alpha) operation with its two
// arguments (targ:: values with their modifier bits). Without ModulateAdd
// (`haveModulateAdd` false) the operations that need it are approximated.
// An operation the combiner has no form for selects the current colour.
CombineSetup ColorCombine(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2, bool haveModulateAdd);
CombineSetup AlphaCombine(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2, bool haveModulateAdd);

// The number of stages that run: a stage whose colour operation is Disable
// ends the pipeline, so it and every later stage are off.
std::uint32_t ActiveStageCount(std::span<const std::uint32_t> colorOps);

}  // namespace platform
