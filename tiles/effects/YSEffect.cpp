#include "tiles/effects/YSEffect.h"

#include <algorithm>
#include <vector>

namespace {

// Both lists hold plain pointers; the active list owns its effects, and
// effects still alive when the process ends are deleted with it.
struct EffectLists {
  std::vector<YSEffect*> active;
  std::vector<YSEffect*> draw;
  ~EffectLists() {
    draw.clear();
    while (!active.empty()) {
      YSEffect* effect = active.back();
      active.pop_back();
      delete effect;
    }
  }
};

EffectLists& Lists() {
  static EffectLists lists;
  return lists;
}

std::vector<YSEffect*>& ActiveList() {
  return Lists().active;
}
std::vector<YSEffect*>& DrawList() {
  return Lists().draw;
}

// Removes an entry by moving the last one into its place.
void RemoveAt(std::vector<YSEffect*>& list, std::size_t i) {
  list[i] = list.back();
  list.pop_back();
}

}  // namespace

YSEffect::YSEffect() {
  ActiveList().push_back(this);
}

YSEffect::~YSEffect() {
  std::vector<YSEffect*>& draw = DrawList();
  const auto found = std::find(draw.begin(), draw.end(), this);
  if (found != draw.end()) RemoveAt(draw, static_cast<std::size_t>(found - draw.begin()));
}

void YSEffect::Draw() {}

void YSEffect::RequestDraw() {
  DrawList().push_back(this);
}

bool UpdateEffects(float dt) {
  std::vector<YSEffect*>& active = ActiveList();
  std::size_t i = 0;
  while (i < active.size()) {
    YSEffect* effect = active[i];
    if (!effect->Update(dt)) {
      ++i;
      continue;
    }
    RemoveAt(active, i);
    delete effect;
  }
  return !active.empty();
}

void DrawEffects() {
  // A drawn effect may not add to the list; a copy keeps the walk safe anyway.
  const std::vector<YSEffect*> draw = DrawList();
  for (YSEffect* effect : draw) effect->Draw();
  DrawList().clear();
}

void DeleteAllEffects() {
  std::vector<YSEffect*> active;
  active.swap(ActiveList());
  for (YSEffect* effect : active) delete effect;
  DrawList().clear();
}

std::size_t LiveEffectCount() {
  return ActiveList().size();
}
