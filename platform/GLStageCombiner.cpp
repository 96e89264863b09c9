#include "platform/GLStageCombiner.h"

#include "platform/DeviceTypes.h"

namespace platform {

namespace {

CombineSource SourceOf(std::uint32_t select) {
  switch (select) {
    case targ::Diffuse:
      return CombineSource::Primary;
    case targ::Texture:
      return CombineSource::Texture;
    case targ::TFactor:
      return CombineSource::Constant;
    // The combiner cannot read the specular colour (OpenGL adds it after
    // the last stage); the diffuse colour stands in for it.
    case targ::Specular:
      return CombineSource::Primary;
    default:
      return CombineSource::Previous;
  }
}

CombineInput InputOf(std::uint32_t arg, bool alpha) {
  const bool complement = (arg & targ::Complement) != 0;
  const bool useAlpha = alpha || (arg & targ::AlphaReplicate) != 0;
  CombineInput in;
  in.source = SourceOf(arg & targ::SelectMask);
  if (useAlpha)
    in.operand = complement ? CombineOperand::InvAlpha : CombineOperand::Alpha;
  else
    in.operand = complement ? CombineOperand::InvColor : CombineOperand::Color;
  return in;
}

CombineInput AsAlpha(CombineInput in) {
  if (in.operand == CombineOperand::Color) in.operand = CombineOperand::Alpha;
  if (in.operand == CombineOperand::InvColor) in.operand = CombineOperand::InvAlpha;
  return in;
}

CombineInput Inverted(CombineInput in) {
  switch (in.operand) {
    case CombineOperand::Color:
      in.operand = CombineOperand::InvColor;
      break;
    case CombineOperand::InvColor:
      in.operand = CombineOperand::Color;
      break;
    case CombineOperand::Alpha:
      in.operand = CombineOperand::InvAlpha;
      break;
    case CombineOperand::InvAlpha:
      in.operand = CombineOperand::Alpha;
      break;
  }
  return in;
}

CombineSetup Make(CombineFunc func, CombineInput in0, CombineInput in1 = {}, CombineInput in2 = {},
                  int scale = 1) {
  return CombineSetup{func, {in0, in1, in2}, scale};
}

CombineInput AlphaOf(CombineSource source) {
  return {source, CombineOperand::Alpha};
}

// The operations the plain combiner does exactly; false for the others.
bool Direct(std::uint32_t op, CombineInput a1, CombineInput a2, CombineInput current, bool alpha,
            CombineSetup& out) {
  switch (op) {
    case top::SelectArg1:
      out = Make(CombineFunc::Replace, a1);
      return true;
    case top::SelectArg2:
      out = Make(CombineFunc::Replace, a2);
      return true;
    case top::Modulate:
      out = Make(CombineFunc::Modulate, a1, a2);
      return true;
    case top::Modulate2x:
      out = Make(CombineFunc::Modulate, a1, a2, {}, 2);
      return true;
    case top::Modulate4x:
      out = Make(CombineFunc::Modulate, a1, a2, {}, 4);
      return true;
    case top::Add:
      out = Make(CombineFunc::Add, a1, a2);
      return true;
    case top::AddSigned:
      out = Make(CombineFunc::AddSigned, a1, a2);
      return true;
    case top::AddSigned2x:
      out = Make(CombineFunc::AddSigned, a1, a2, {}, 2);
      return true;
    case top::Subtract:
      out = Make(CombineFunc::Subtract, a1, a2);
      return true;
    case top::BlendDiffuseAlpha:
      out = Make(CombineFunc::Interpolate, a1, a2, AlphaOf(CombineSource::Primary));
      return true;
    case top::BlendTextureAlpha:
      out = Make(CombineFunc::Interpolate, a1, a2, AlphaOf(CombineSource::Texture));
      return true;
    case top::BlendFactorAlpha:
      out = Make(CombineFunc::Interpolate, a1, a2, AlphaOf(CombineSource::Constant));
      return true;
    case top::BlendCurrentAlpha:
      out = Make(CombineFunc::Interpolate, a1, a2, AlphaOf(CombineSource::Previous));
      return true;
    // Lerp's third argument is left at its default, the current colour.
    case top::Lerp:
      out = Make(CombineFunc::Interpolate, a1, a2, current);
      return true;
    // The modulation of the next stage's texture that should follow is not
    // available; the stage passes its first argument on.
    case top::PreModulate:
      out = Make(CombineFunc::Replace, a1);
      return true;
    // The dot product fills every channel from the colour combine; as an
    // alpha operation alone it has no form and becomes a product.
    case top::DotProduct3:
      out = alpha ? Make(CombineFunc::Modulate, a1, a2) : Make(CombineFunc::Dot3, a1, a2);
      return true;
    default:
      return false;
  }
}

// The operations of the form in0 * in2 + in1, done exactly.
CombineSetup WithModulateAdd(std::uint32_t op, CombineInput a1, CombineInput a2, CombineInput current) {
  switch (op) {
    case top::AddSmooth:
      return Make(CombineFunc::ModulateAdd, a2, a1, Inverted(a1));  // a1 + a2 (1 - a1)
    case top::BlendTextureAlphaPM:
      return Make(CombineFunc::ModulateAdd, a2, a1, {CombineSource::Texture, CombineOperand::InvAlpha});
    case top::ModulateAlphaAddColor:
      return Make(CombineFunc::ModulateAdd, AsAlpha(a1), a1, a2);
    case top::ModulateColorAddAlpha:
      return Make(CombineFunc::ModulateAdd, a1, AsAlpha(a1), a2);
    case top::ModulateInvAlphaAddColor:
      return Make(CombineFunc::ModulateAdd, Inverted(AsAlpha(a1)), a1, a2);
    case top::ModulateInvColorAddAlpha:
      return Make(CombineFunc::ModulateAdd, Inverted(a1), AsAlpha(a1), a2);
    case top::MultiplyAdd:
      return Make(CombineFunc::ModulateAdd, a1, current, a2);  // arg0: the current colour
    default:
      return Make(CombineFunc::Replace, current);
  }
}

// The same operations approximated without ModulateAdd: the sums saturate
// where the exact forms would not, the products lose their added term.
CombineSetup Approximated(std::uint32_t op, CombineInput a1, CombineInput a2, CombineInput current) {
  switch (op) {
    case top::AddSmooth:
    case top::ModulateAlphaAddColor:
    case top::ModulateInvAlphaAddColor:
      return Make(CombineFunc::Add, a1, a2);
    case top::BlendTextureAlphaPM:
      return Make(CombineFunc::Interpolate, a1, a2, AlphaOf(CombineSource::Texture));
    case top::ModulateColorAddAlpha:
    case top::MultiplyAdd:
      return Make(CombineFunc::Modulate, a1, a2);
    case top::ModulateInvColorAddAlpha:
      return Make(CombineFunc::Modulate, Inverted(a1), a2);
    default:
      return Make(CombineFunc::Replace, current);
  }
}

// One channel's combine (colour, or alpha when `alpha`) from the arguments
// already read for that channel.
CombineSetup Build(std::uint32_t op, CombineInput a1, CombineInput a2, bool alpha, bool modAdd) {
  const CombineInput current{CombineSource::Previous, alpha ? CombineOperand::Alpha : CombineOperand::Color};
  CombineSetup setup;
  if (Direct(op, a1, a2, current, alpha, setup)) return setup;
  return modAdd ? WithModulateAdd(op, a1, a2, current) : Approximated(op, a1, a2, current);
}

}  // namespace

CombineSetup ColorCombine(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2, bool haveModulateAdd) {
  return Build(op, InputOf(arg1, false), InputOf(arg2, false), false, haveModulateAdd);
}

CombineSetup AlphaCombine(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2, bool haveModulateAdd) {
  CombineSetup setup = Build(op, InputOf(arg1, true), InputOf(arg2, true), true, haveModulateAdd);
  for (CombineInput& in : setup.in) in = AsAlpha(in);  // unused inputs too: alpha takes only alpha operands
  return setup;
}

std::uint32_t ActiveStageCount(std::span<const std::uint32_t> colorOps) {
  std::uint32_t count = 0;
  while (count < colorOps.size() && colorOps[count] != top::Disable) ++count;
  return count;
}

}  // namespace platform
