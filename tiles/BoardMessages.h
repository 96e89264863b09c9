// The duel's message log: short coloured lines telling who passed, that the
// board was shuffled, who had no move, what each pair cast and who fell.
// Lines are built from the moves in the undo history and from the flag
// word; the log keeps scrolling so that only the last six lines stay. A
// segment that names a tile kind or a spell carries its id or key, so that
// the panels can show its description under the mouse.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/YColor.h"

struct DuelState;
struct YPlayerData;
struct YTileKind;

struct MessageSegment {
  std::string text;
  YColor colour;
  std::int32_t flag = 0;
  // The tile kind id (up to 255) or spell key (above 255) the text names;
  // 0 when it names neither.
  std::uint32_t ref = 0;
};
using MessageLine = std::vector<MessageSegment>;

// A text that fills one "%s" of a message, with what it names.
struct MessageText {
  std::string text;
  std::uint32_t ref = 0;
};

class BoardMessages {
 public:
  static constexpr float kLineHeight = 15.0f;
  // The locale keys of the lines.
  static constexpr const char* kTextKeys[] = {"pass_move",      "shuffle",   "can_not_move", "skip_move",
                                              "cast_experence", "cast_mana", "cast_mana2",   "cast_standard",
                                              "cast_special",   "killed"};
  static constexpr int kVisibleLines = 6;
  static constexpr float kCatchUpLines = 6.0f;
  // The text of a locale key.
  using TextSource = std::function<std::string(const std::string& key)>;

  // Texts come from the process's locale.
  BoardMessages();
  void SetTextSource(TextSource source) { texts_ = std::move(source); }

  // Drops every line; nothing reported; the scroll offset six lines down.
  void Reset();
  // Splits `format` at each "%s": the parts between become plain segments,
  // each placeholder the next given text, highlighted. Empty parts add no
  // segment; placeholders beyond the given texts add nothing.
  void AddLine(std::string_view format, std::span<const MessageText> texts);
  // The same, with the first placeholder in the colour of `side`.
  void AddLine2(std::string_view format, const MessageText& first, const MessageText& second, int side);

  // A line from the flag word: a pass, a shuffle or a side without a move.
  void ShowPlayerState(const DuelState& state, const std::array<const YPlayerData*, 2>& fighters);
  // Lines for the moves of the history not yet reported, then the state.
  void ShowEvent(const DuelState& state, const std::array<const YPlayerData*, 2>& fighters,
                 const std::vector<YTileKind>& kindTable);

  // One frame of scrolling: new lines slide in at one line a second, a
  // backlog of more than one line at six lines a second (so a burst of lines
  // is in within two seconds), and the oldest line goes once more than six
  // are shown.
  void Scroll(float dt);
  // Whether line j stands wholly within the six rows of the panel: a line
  // still sliding in below them is not drawn, as the panel's edge would cut it.
  bool LineShows(std::size_t j) const;

  const std::vector<MessageLine>& Lines() const { return lines_; }
  float ScrollOffset() const { return scroll_; }

  static YColor PlainColour() { return YColor(0.8f, 0.8f, 0.8f, 1.0f); }
  static YColor HighlightColour() { return YColor(1.0f, 1.0f, 0.5f, 1.0f); }
  static YColor SideColour(int side);

 private:
  void AddSegments(std::string_view format, std::span<const MessageText> texts, const YColor* firstColour);
  void ReportMove(const DuelState& state, std::size_t record,
                  const std::array<const YPlayerData*, 2>& fighters, const std::vector<YTileKind>& kindTable);

  TextSource texts_;
  std::vector<MessageLine> lines_;
  std::uint32_t reported_ = 0;
  float scroll_ = kVisibleLines * kLineHeight;
};
