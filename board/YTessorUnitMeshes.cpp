// The meshes units are drawn with: one mesh instance per unit class, shared
// by all units of the class through one reference per side.
#include <array>
#include <memory>
#include <vector>

#include "board/BoardShaderNames.h"
#include "board/YTessorUnit.h"
#include "render/YMeshCache.h"
#include "render/YMeshInstance.h"
#include "render/YMeshInstanceRef.h"
#include "render/YShader.h"

namespace {

// Drawn in every pass.
constexpr std::uint32_t kAllPasses = 0xffffffffu;

struct UnitMeshSet {
  std::unique_ptr<YMeshInstance> instance;
  std::array<std::unique_ptr<YMeshInstanceRef>, 2> sides;
};

UnitMeshSet MakeSet(const board_shaders::UnitMeshNames& names) {
  UnitMeshSet set;
  set.instance = std::make_unique<YMeshInstance>(YMeshCache::Load(names.mesh), board_shaders::kUnitLoadFactor,
                                                 kAllPasses);
  for (std::size_t side = 0; side < 2; ++side) {
    auto& ref = set.sides[side] = std::make_unique<YMeshInstanceRef>(set.instance.get(), kAllPasses);
    for (const char* shader : names.shaders[side]) ref->shaders.push_back(GetShader(shader));
  }
  return set;
}

std::size_t ClassIndex(UnitClass unitClass) {
  switch (unitClass) {
    case UnitClass::kBoss:
      return 1;
    case UnitClass::kHero:
      return 2;
    case UnitClass::kPlain:
      break;
  }
  return 0;
}

}  // namespace

YMeshInstanceRef* YTessorUnit::BuildMeshes(int side_) const {
  static std::array<UnitMeshSet, 3> sets;
  const std::size_t index = ClassIndex(Class());
  UnitMeshSet& set = sets[index];
  if (!set.instance) set = MakeSet(board_shaders::kUnitMeshes[index]);
  return set.sides[static_cast<std::size_t>(side_ & 1)].get();
}

std::span<YShader* const> YTessorUnit::BlurShaders(int side_) {
  static const std::array<std::array<YShader*, 2>, 2> lists = [] {
    std::array<std::array<YShader*, 2>, 2> made{};
    for (std::size_t s = 0; s < 2; ++s)
      for (std::size_t k = 0; k < 2; ++k) made[s][k] = GetShader(board_shaders::kBlurShaders[s][k]);
    return made;
  }();
  return lists[static_cast<std::size_t>(side_ & 1)];
}
