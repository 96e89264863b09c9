#include "ui/UIEdit.h"

#include <algorithm>

#include "framework/YFramework.h"
#include "platform/Clipboard.h"
#include "render/StyledText.h"
#include "render/YFont.h"
#include "render/YRender.h"
#include "ui/UIEvent.h"
#include "ui/UIQuads.h"

namespace {

constexpr float kBlinkSeconds = 0.2f;
constexpr int kLeftButton = 1;

// Virtual-key codes the edit acts on.
enum Key { kBackspace = 8, kEnter = 13, kShift = 16, kControl = 17, kEscape = 27, kLeft = 37, kInsert = 45, kV = 86 };

UIEdit::ClipboardReader& Clipboard() {
  static UIEdit::ClipboardReader reader = [] { return platform::GetClipboardText(); };
  return reader;
}

}  // namespace

UIEdit::UIEdit(const YRect& r, std::string_view n, const UITextStyle& style_, YShader* shader_, int maxLength,
               float lrFactor, float margin, float maxWidth)
    : UIControl(r, n, nullptr),
      shader(shader_),
      style(style_),
      maxLength_(maxLength),
      lrFactor_(lrFactor),
      margin_(margin) {
  const float inside = r.width - 2 * margin;
  maxWidth_ = maxWidth < 0 ? inside : std::min(maxWidth, inside);
}

void UIEdit::SetClipboardReader(ClipboardReader reader) {
  Clipboard() = reader ? std::move(reader) : [] { return platform::GetClipboardText(); };
}

void UIEdit::Paint() {
  if (shader) {
    g_render->SetShader(shader, true);
    BuildSideCapBands(YRect(0, 0, rect.width, rect.height), UITexRect(0, 0, 1, 1), lrFactor_);
    g_render->DrawStrip28(UIQuadVertices.data(), 6);
  }
  const float baseline = margin_ + style.size;
  const float drawn = DrawStyledText(margin_, baseline, style, text_);
  if (Focused() == this && caretVisible_) YFont::DrawText(style.font, margin_ + drawn, baseline, style.size, "|");
}

void UIEdit::OnKeyDown(int vkey) {
  switch (vkey & 0xff) {
    case kBackspace:
    case kLeft:
      DeleteLast();
      break;
    case kEnter:
      Notify(ui_event::kClick);
      break;
    case kEscape:
      Notify(ui_event::kEscape);
      break;
    case kInsert:
      if (YFramework::IsKeyDown(kShift)) Paste();
      break;
    case kV:
      if (YFramework::IsKeyDown(kControl)) Paste();
      break;
    default:
      break;
  }
}

void UIEdit::DeleteLast() {
  if (!text_.empty()) text_.pop_back();
}

void UIEdit::OnChar(int ch) {
  const auto c = static_cast<unsigned char>(ch);
  if (maxLength_ > 0 && GetLength() >= maxLength_) return;
  if (!IsPrintable(c)) return;
  std::string wider = text_;
  wider.push_back(static_cast<char>(c));
  wider.push_back('|');
  if (!(GetStyledTextWidth(style, wider) < maxWidth_)) return;
  text_.push_back(static_cast<char>(c));
}

void UIEdit::Paste() {
  const std::string pasted = Clipboard()();
  for (const char c : pasted) OnChar(static_cast<unsigned char>(c));
}

void UIEdit::OnMouseDown(int button, float, float) {
  if (button == kLeftButton) SetFocus();
}

bool UIEdit::OnAnimate(float dt) {
  if (Focused() != this) return false;
  caretTime_ += dt;
  if (caretTime_ <= kBlinkSeconds) return false;
  caretTime_ = 0;
  caretVisible_ = !caretVisible_;
  return true;
}
