// Texture stage operations in combiner terms: the disable cascade and rules
// for every operation and argument (the arithmetic is checked on pixels).
#include "platform/GLStageCombiner.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/DeviceTypes.h"

namespace platform {
namespace {

TEST(ActiveStageCount, EndsAtTheFirstDisabledStage) {
  const std::pair<std::vector<std::uint32_t>, std::uint32_t> cases[] = {
      {{}, 0},
      {{top::Disable, top::Modulate}, 0},
      {{top::Modulate, top::Disable, top::SelectArg1}, 1},
      {{top::Modulate, top::Add, top::Lerp}, 3}};
  for (const auto& [ops, expected] : cases) EXPECT_EQ(ActiveStageCount(ops), expected);
}

// The alpha combiner takes only alpha operands; modulate-add only when offered.
TEST(StageCombine, RulesForEveryOperationAndArgument) {
  for (std::uint32_t op = 0; op <= 30; ++op)
    for (std::uint32_t select = 0; select <= 6; ++select)
      for (std::uint32_t modifiers :
           {0u, targ::Complement, targ::AlphaReplicate, targ::Complement | targ::AlphaReplicate}) {
        const std::uint32_t arg = select | modifiers;
        for (const CombineInput& in : AlphaCombine(op, arg, targ::Current, true).in)
          EXPECT_TRUE(in.operand == CombineOperand::Alpha || in.operand == CombineOperand::InvAlpha)
              << op << " " << arg;
        EXPECT_NE(ColorCombine(op, arg, targ::Diffuse, false).func, CombineFunc::ModulateAdd) << op;
        EXPECT_NE(AlphaCombine(op, arg, targ::Diffuse, false).func, CombineFunc::ModulateAdd) << op;
      }
  EXPECT_EQ(ColorCombine(top::AddSmooth, targ::Texture, targ::Current, true).func, CombineFunc::ModulateAdd);
}

TEST(ColorCombine, SpecularAndUnknownOperations) {
  EXPECT_EQ(ColorCombine(top::SelectArg1, targ::Specular, 0, true).in[0].source, CombineSource::Primary);
  for (std::uint32_t op : {0u, 22u, 27u, 99u}) {
    const CombineSetup setup = ColorCombine(op, targ::Texture, targ::Diffuse, true);
    EXPECT_EQ(setup.func, CombineFunc::Replace) << op;
    EXPECT_EQ(setup.in[0], (CombineInput{CombineSource::Previous, CombineOperand::Color})) << op;
  }
}

}  // namespace
}  // namespace platform
