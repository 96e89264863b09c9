#include "tiles/BoardMessages.h"

#include <algorithm>

#include "framework/YLocale.h"
#include "players/YPlayerData.h"
#include "players/YTileKind.h"
#include "players/YTileSpell.h"
#include "tiles/DuelState.h"
#include "tiles/PairRules.h"

namespace {

std::string NameOf(const YPlayerData* fighter) {
  return fighter != nullptr ? fighter->name : std::string();
}

MessageText KindText(const std::vector<YTileKind>& table, const DuelKind& kind, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return MessageText{{}, kind.id};
  return MessageText{table[static_cast<std::size_t>(index)].name, kind.id};
}

}  // namespace

BoardMessages::BoardMessages() : texts_([](const std::string& key) { return GetLocale().GetText(key); }) {}

YColor BoardMessages::SideColour(int side) {
  return side == 0 ? YColor(1.0f, 1.0f, 0.5f, 1.0f) : YColor(0.75f, 0.75f, 0.5f, 1.0f);
}

void BoardMessages::Reset() {
  lines_.clear();
  reported_ = 0;
  scroll_ = kVisibleLines * kLineHeight;
}

void BoardMessages::AddSegments(std::string_view format, std::span<const MessageText> texts,
                                const YColor* firstColour) {
  MessageLine line;
  std::size_t next = 0;
  for (;;) {
    const std::size_t at = format.find("%s");
    const std::string_view part = format.substr(0, at);
    if (!part.empty()) line.push_back(MessageSegment{std::string(part), PlainColour(), 0, 0});
    if (at == std::string_view::npos) break;
    if (next < texts.size()) {
      const YColor colour = (next == 0 && firstColour != nullptr) ? *firstColour : HighlightColour();
      line.push_back(MessageSegment{texts[next].text, colour, 0, texts[next].ref});
    }
    ++next;
    format.remove_prefix(at + 2);
  }
  lines_.push_back(std::move(line));
}

void BoardMessages::AddLine(std::string_view format, std::span<const MessageText> texts) {
  AddSegments(format, texts, nullptr);
}

void BoardMessages::AddLine2(std::string_view format, const MessageText& first, const MessageText& second,
                             int side) {
  const MessageText texts[2] = {first, second};
  const YColor colour = SideColour(side);
  AddSegments(format, texts, &colour);
}

void BoardMessages::ShowPlayerState(const DuelState& state,
                                    const std::array<const YPlayerData*, 2>& fighters) {
  const MessageText mover{NameOf(fighters[static_cast<std::size_t>(state.sideToMove & 1)]), 0};
  if ((state.flags & DuelFlag::kExtraTurn) != 0) {
    AddLine(texts_("pass_move"), std::span(&mover, 1));
  } else if ((state.flags & DuelFlag::kShuffle) != 0) {
    AddLine(texts_("shuffle"), {});
  } else if ((state.flags & DuelFlag::kPass) != 0) {
    AddLine(texts_("can_not_move"), std::span(&mover, 1));
  }
}

void BoardMessages::ShowEvent(const DuelState& state, const std::array<const YPlayerData*, 2>& fighters,
                              const std::vector<YTileKind>& kindTable) {
  const std::size_t first = std::min<std::size_t>(reported_, state.undo.size());
  reported_ = static_cast<std::uint32_t>(state.undo.size());
  for (std::size_t i = first; i < state.undo.size(); ++i) ReportMove(state, i, fighters, kindTable);
  ShowPlayerState(state, fighters);
}

void BoardMessages::ReportMove(const DuelState& state, std::size_t record,
                               const std::array<const YPlayerData*, 2>& fighters,
                               const std::vector<YTileKind>& kindTable) {
  const YTileUndoRecord& r = state.undo[record];
  const int a = state.RecordTiles(r)[0];
  const int b = state.RecordTiles(r)[1];
  const DuelKind& ka = state.KindOf(a);
  const DuelKind& kb = state.KindOf(b);
  const int side = r.sideToMove & 1;
  const YPlayerUndo& saved = r.sides[static_cast<std::size_t>(side)];
  const MessageText mover{NameOf(fighters[static_cast<std::size_t>(side)]), 0};
  const MessageText nameA = KindText(kindTable, ka, state.Tile(a).kind);
  const int moving = state.sideToMove & 1;
  if (saved.health > 0) {
    const bool unpaid = saved.mana[static_cast<std::size_t>(ka.Element())] < ka.cost ||
                        saved.mana[static_cast<std::size_t>(kb.Element())] < kb.cost;
    if (unpaid) {
      AddLine2(texts_("skip_move"), mover, nameA, moving);
    } else if (ka.Class() == DuelKind::kPlainClass) {
      AddLine(texts_("cast_experence"), std::span(&mover, 1));
    } else if (ka.Class() == DuelKind::kWellClass && ka.Element() == kb.Element()) {
      const MessageText texts[2] = {mover, nameA};
      AddLine(texts_("cast_mana"), texts);
    } else if (ka.Class() == DuelKind::kWellClass) {
      const MessageText texts[3] = {mover, nameA, KindText(kindTable, kb, state.Tile(b).kind)};
      AddLine(texts_("cast_mana2"), texts);
    } else if (ka.id == kb.id) {
      AddLine2(texts_("cast_standard"), mover, nameA, moving);
    } else if (const YTileSpell* spell =
                   FindTileLink(state.sides[static_cast<std::size_t>(side)], ka.id, kb.id)) {
      AddLine2(texts_("cast_special"), mover, MessageText{spell->name, spell->key}, moving);
    }
  }
  for (int s = 0; s < 2; ++s) {
    if (state.sides[static_cast<std::size_t>(s)].health < 1) {
      const MessageText fallen{NameOf(fighters[static_cast<std::size_t>(s)]), 0};
      AddLine(texts_("killed"), std::span(&fallen, 1));
    }
  }
}

void BoardMessages::Scroll(float dt) {
  // The offset at which the lines fill the six visible rows exactly; the
  // log slides toward it and never past, so that six lines stay.
  const float rest = (kVisibleLines - static_cast<float>(lines_.size())) * kLineHeight;
  if (scroll_ <= rest) return;
  const float linesPerSecond = scroll_ - rest > kLineHeight ? kCatchUpLines : 1.0f;
  scroll_ = std::max(scroll_ - dt * kLineHeight * linesPerSecond, rest);
  while (scroll_ < 0.0f && !lines_.empty()) {
    scroll_ += kLineHeight;
    lines_.erase(lines_.begin());
  }
}

bool BoardMessages::LineShows(std::size_t j) const {
  return scroll_ + kLineHeight * static_cast<float>(j) <= (kVisibleLines - 1) * kLineHeight;
}
