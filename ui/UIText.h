// Rich text: runs of words in their own font, size and colour, laid out
// left to right into lines that wrap at the control's width, each line
// left, right or centre aligned, with explicit line ends and links (one
// UIHotLine child per line piece of a link). The text grows downward: its
// height is the sum of its line heights; it neither scrolls nor clips.
// Appends continue where the last append to the same text stopped.
#pragma once

#include <string>
#include <vector>

#include "framework/YColor.h"
#include "render/UITextStyle.h"
#include "ui/UIControl.h"

class UIHotLine;

class UIText : public UIControl {
 public:
  // Alignment codes; any other code lays a line out from the left.
  static constexpr int kLeft = 0;
  static constexpr int kRight = 1;
  static constexpr int kCentre = 2;

  struct Run {
    std::string text;  // words separated by single blanks
    UITextStyle style;
    float x = 0;  // left edge
    float y = 0;  // baseline of its line
  };

  // No runs, height 0 (the rect's height is replaced).
  UIText(const YRect& rect, std::string_view name);
  UIText(const YRect& rect, std::string_view name, const UITextStyle& style, int align, std::string_view text);

  // Draws the runs; the link pieces draw themselves as children.
  void Paint() override;
  // Removes every run and deletes every link piece; the next append starts
  // a new layout at the top. Hands back nothing.
  std::vector<std::unique_ptr<UIControl>> Clear() override;

  // Lays the words of `text` (separated by any blanks, tabs or line ends)
  // out as plain runs. A change of alignment starts a new line unless the
  // current one is empty.
  void AppendText(const UITextStyle& style, int align, std::string_view text);
  // The same as pieces of the link `linkName`, lit by `hotColour`.
  void AppendLink(const UITextStyle& style, const YColor& hotColour, int align, std::string_view text,
                  std::string_view linkName);
  // Ends the current line; the next one is `style`'s size high.
  void EndLine(const UITextStyle& style);
  // Replaces the text in the first run's style; nothing on a text without runs.
  void SetText(int align, std::string_view text);
  void SetTextStyled(const UITextStyle& style, int align, std::string_view text);

  const std::vector<Run>& Runs() const { return runs_; }

 private:
  // Where the layout stands: the current line's runs and link pieces
  // (the last ones made), its content width, the shift alignment gave it.
  struct Cursor {
    bool started = false;
    int runsInLine = 0;
    std::vector<UIHotLine*> linksInLine;
    float penX = 0;
    float lineShift = 0;
    int align = -1;  // none yet
    float lineHeight = 0;
    float baseline = 0;
    UIHotLine* lastLink = nullptr;  // the last piece of the current flow of links
  };

  // Starts the layout on the first append; then handles a change of alignment.
  void BeginAppend(const UITextStyle& style, int align);
  bool LineEmpty() const { return cursor_.runsInLine == 0 && cursor_.linksInLine.empty(); }
  // Whether a word of width w no longer fits behind the current line's content.
  bool Overflows(float w, float space) const { return cursor_.penX + w + space > rect.width; }
  void AddRun(std::string_view word, const UITextStyle& style, float x);
  void AddLinkPiece(std::string_view word, const UITextStyle& style, const YColor& hotColour,
                    std::string_view linkName, float x);
  void PlaceWord(std::string_view word, const UITextStyle& style);
  void PlaceLinkWord(std::string_view word, const UITextStyle& style, const YColor& hotColour,
                     std::string_view linkName);
  // Moves the current line down so a larger size fits above its baseline.
  void GrowLine(float size);
  // Right or centre: shifts the current line by what its alignment adds.
  void AlignLine();
  void ShiftLine(float dx, float dy);

  std::vector<Run> runs_;
  Cursor cursor_;
};
