#include "ui/UIText.h"

#include <memory>

#include "render/StyledText.h"
#include "ui/UIHotLine.h"
#include "ui/UIQuads.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// Calls `place` with each word of the text.
template <typename Place>
void ForEachWord(std::string_view text, Place place) {
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    std::size_t end = at;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    if (end > at) place(text.substr(at, end - at));
    at = end;
  }
}

}  // namespace

UIText::UIText(const YRect& r, std::string_view n) : UIControl(r, n, nullptr) {
  rect.height = 0;
}

UIText::UIText(const YRect& r, std::string_view n, const UITextStyle& style, int align, std::string_view text)
    : UIText(r, n) {
  AppendText(style, align, text);
}

void UIText::Paint() {
  for (const Run& run : runs_) DrawStyledText(run.x, run.y, run.style, run.text);
}

std::vector<std::unique_ptr<UIControl>> UIText::Clear() {
  MouseLeave();
  runs_.clear();
  cursor_ = Cursor();
  rect.height = 0;
  for (std::size_t i = Children().size(); i-- > 0;) {
    UIControl* child = Children()[i].get();
    if (dynamic_cast<UIHotLine*>(child)) RemoveChild(child).reset();
  }
  return {};
}

void UIText::SetText(int align, std::string_view text) {
  if (runs_.empty()) return;
  const UITextStyle style = runs_.front().style;
  Clear();
  AppendText(style, align, text);
}

void UIText::SetTextStyled(const UITextStyle& style, int align, std::string_view text) {
  Clear();
  AppendText(style, align, text);
}

// ---- Layout ------------------------------------------------------------------

void UIText::BeginAppend(const UITextStyle& style, int align) {
  if (!cursor_.started) {
    cursor_ = Cursor();
    cursor_.started = true;
    cursor_.lineHeight = cursor_.baseline = rect.height = style.size;
  }
  if (align == cursor_.align) return;
  if (!LineEmpty()) EndLine(style);
  cursor_.align = align;
}

void UIText::AppendText(const UITextStyle& style, int align, std::string_view text) {
  BeginAppend(style, align);
  ForEachWord(text, [&](std::string_view word) { PlaceWord(word, style); });
  AlignLine();
}

void UIText::AppendLink(const UITextStyle& style, const YColor& hotColour, int align, std::string_view text,
                        std::string_view linkName) {
  BeginAppend(style, align);
  ForEachWord(text, [&](std::string_view word) { PlaceLinkWord(word, style, hotColour, linkName); });
  AlignLine();
}

void UIText::PlaceWord(std::string_view word, const UITextStyle& style) {
  const float w = GetStyledTextWidth(style, word), space = GetStyledTextWidth(style, " ");
  Cursor& c = cursor_;
  if (LineEmpty()) {
    GrowLine(style.size);
    AddRun(word, style, 0);
    c.penX += w;
    return;
  }
  if (Overflows(w, space)) {
    AlignLine();
    EndLine(style);
    AddRun(word, style, 0);
    c.penX = w;
    return;
  }
  if (c.runsInLine > 0 && !c.lastLink && SameStyle(runs_.back().style, style)) {
    runs_.back().text.append(" ").append(word);
  } else {
    GrowLine(style.size);
    AddRun(word, style, c.lineShift + c.penX + space);
  }
  c.penX += w + space;
}

void UIText::PlaceLinkWord(std::string_view word, const UITextStyle& style, const YColor& hotColour,
                           std::string_view linkName) {
  const float w = GetStyledTextWidth(style, word), space = GetStyledTextWidth(style, " ");
  Cursor& c = cursor_;
  if (LineEmpty()) {
    GrowLine(style.size);
    AddLinkPiece(word, style, hotColour, linkName, 0);
    c.penX += w;
    return;
  }
  if (Overflows(w, space)) {
    AlignLine();
    EndLine(style);
    AddLinkPiece(word, style, hotColour, linkName, 0);
    c.penX = w;
    return;
  }
  UIHotLine* last = c.lastLink;
  if (!c.linksInLine.empty() && last && last->name == linkName && SameStyle(last->style, style)) {
    last->text.append(" ").append(word);
    last->rect.width += w + space;
  } else {
    GrowLine(style.size);
    AddLinkPiece(word, style, hotColour, linkName, c.lineShift + c.penX + space);
  }
  c.penX += w + space;
}

void UIText::AddRun(std::string_view word, const UITextStyle& style, float x) {
  runs_.push_back(Run{std::string(word), style, x, cursor_.baseline});
  cursor_.lastLink = nullptr;
  ++cursor_.runsInLine;
}

// A piece of the same link as the last one joins its ring, so a link that
// wraps lights up on every line at once.
void UIText::AddLinkPiece(std::string_view word, const UITextStyle& style, const YColor& hotColour,
                          std::string_view linkName, float x) {
  auto piece = std::make_unique<UIHotLine>(x, cursor_.baseline, linkName, style, hotColour, word);
  if (cursor_.lastLink && cursor_.lastLink->name == linkName) cursor_.lastLink->Join(piece.get());
  cursor_.lastLink = piece.get();
  cursor_.linksInLine.push_back(piece.get());
  AddChild(std::move(piece));
}

void UIText::EndLine(const UITextStyle& style) {
  if (!cursor_.started) BeginAppend(style, cursor_.align);
  Cursor& c = cursor_;
  c.lineShift = 0;
  c.penX = 0;
  c.lineHeight = style.size;
  rect.height += c.lineHeight;
  c.baseline += c.lineHeight;
  c.runsInLine = 0;
  c.linksInLine.clear();
}

void UIText::GrowLine(float size) {
  if (size <= cursor_.lineHeight) return;
  const float d = size - cursor_.lineHeight;
  ShiftLine(0, d);
  cursor_.baseline += d;
  rect.height += d;
  cursor_.lineHeight = size;
}

// Only a line with content is aligned: an empty one would remember a shift
// that its first word never got.
void UIText::AlignLine() {
  Cursor& c = cursor_;
  if (LineEmpty() || (c.align != kRight && c.align != kCentre)) return;
  const float offset = c.align == kRight ? rect.width - c.penX : (rect.width - c.penX) * 0.5f;
  const float delta = offset - c.lineShift;
  c.lineShift = offset;
  ShiftLine(delta, 0);
}

void UIText::ShiftLine(float dx, float dy) {
  for (std::size_t i = runs_.size() - static_cast<std::size_t>(cursor_.runsInLine); i < runs_.size(); ++i) {
    runs_[i].x += dx;
    runs_[i].y += dy;
  }
  for (UIHotLine* piece : cursor_.linksInLine) {
    piece->rect.x += dx;
    piece->rect.y += dy;
  }
}
