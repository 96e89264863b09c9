// Texture stage operations in combiner terms: the disable cascade and rules
// that must hold for every operation and argument (what the driver accepts
// and what it can do without the combine3 extension). The arithmetic itself
// is checked on real pixels in tests/e2e/GLDeviceStagesTest.cpp.
#include "platform/GLStageCombiner.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/DeviceTypes.h"

namespace platform {
namespace {

std::vector<std::uint32_t> AllArguments() {
  std::vector<std::uint32_t> args;
  for (std::uint32_t select = 0; select <= 6; ++select)
    for (std::uint32_t modifiers :
         {0u, targ::Complement, targ::AlphaReplicate, targ::Complement | targ::AlphaReplicate})
      args.push_back(select | modifiers);
  return args;
}

TEST(ActiveStageCount, EndsAtTheFirstDisabledStage) {
  const struct {
    std::vector<std::uint32_t> ops;
    std::uint32_t expected;
  } cases[] = {
      {{}, 0},
      {{top::Disable, top::Modulate}, 0},
      {{top::Modulate, top::Disable, top::SelectArg1}, 1},
      {{top::Modulate, top::Add, top::Lerp}, 3},
      {{top::SelectArg1, top::SelectArg2, top::Disable, top::Disable}, 2},
  };
  for (const auto& c : cases) EXPECT_EQ(ActiveStageCount(c.ops), c.expected);
}

// The alpha combiner takes only alpha operands, on every input, used or not.
TEST(AlphaCombine, UsesOnlyAlphaOperands) {
  for (std::uint32_t op = 0; op <= 30; ++op)
    for (std::uint32_t arg : AllArguments())
      for (bool modulateAdd : {false, true})
        for (const CombineInput& in : AlphaCombine(op, arg, targ::Current, modulateAdd).in)
          EXPECT_TRUE(in.operand == CombineOperand::Alpha || in.operand == CombineOperand::InvAlpha)
              << "op " << op << " arg " << arg;
}

TEST(ColorCombine, NeedsModulateAddOnlyWhenTheDriverHasIt) {
  for (std::uint32_t op = 0; op <= 30; ++op)
    for (std::uint32_t arg : AllArguments()) {
      EXPECT_NE(ColorCombine(op, arg, targ::Diffuse, false).func, CombineFunc::ModulateAdd) << op;
      EXPECT_NE(AlphaCombine(op, arg, targ::Diffuse, false).func, CombineFunc::ModulateAdd) << op;
    }
  EXPECT_EQ(ColorCombine(top::AddSmooth, targ::Texture, targ::Current, true).func, CombineFunc::ModulateAdd);
}

TEST(ColorCombine, ReadsArgumentsWithTheirModifiers) {
  const CombineSetup plain = ColorCombine(top::SelectArg1, targ::TFactor, targ::Current, true);
  EXPECT_EQ(plain.func, CombineFunc::Replace);
  EXPECT_EQ(plain.in[0], (CombineInput{CombineSource::Constant, CombineOperand::Color}));
  EXPECT_EQ(ColorCombine(top::SelectArg2, 0, targ::Diffuse | targ::Complement, true).in[0],
            (CombineInput{CombineSource::Primary, CombineOperand::InvColor}));
  EXPECT_EQ(
      ColorCombine(top::SelectArg1, targ::Texture | targ::AlphaReplicate | targ::Complement, 0, true).in[0],
      (CombineInput{CombineSource::Texture, CombineOperand::InvAlpha}));
  // No combiner source holds the specular colour; the diffuse stands in.
  EXPECT_EQ(ColorCombine(top::SelectArg1, targ::Specular, 0, true).in[0].source, CombineSource::Primary);
}

TEST(ColorCombine, OperationsWithoutAFormPassTheCurrentColourOn) {
  const CombineInput current{CombineSource::Previous, CombineOperand::Color};
  for (std::uint32_t op : {0u, 22u, 23u, 27u, 99u}) {
    const CombineSetup setup = ColorCombine(op, targ::Texture, targ::Diffuse, true);
    EXPECT_EQ(setup.func, CombineFunc::Replace) << op;
    EXPECT_EQ(setup.in[0], current) << op;
  }
}

TEST(ColorCombine, ScalesOfTheDoublingOperations) {
  EXPECT_EQ(ColorCombine(top::Modulate, 2, 1, true).scale, 1);
  EXPECT_EQ(ColorCombine(top::Modulate2x, 2, 1, true).scale, 2);
  EXPECT_EQ(ColorCombine(top::Modulate4x, 2, 1, true).scale, 4);
  EXPECT_EQ(AlphaCombine(top::AddSigned2x, 2, 1, true).scale, 2);
}

}  // namespace
}  // namespace platform
