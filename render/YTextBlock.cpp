#include "render/YTextBlock.h"

#include <algorithm>

#include "render/YFont.h"

namespace {

// The state of one layout: the line and word being built and where the next
// line goes.
class Wrapper {
 public:
  Wrapper(YTextBlock& block, float x, float y, float maxWidth)
      : block_(block),
        x_(x),
        cy_(y),
        maxWidth_(maxWidth),
        space_(block.font->GetCharWidth(' ') * block.size) {}

  void Feed(char c) {
    if (c == ' ' && !inParentheses_) return EndWord();
    if (c == '(') inParentheses_ = true;
    if (c == ')') inParentheses_ = false;
    word_ += c;
  }

  // A blank outside parentheses: the word joins the line or starts the next.
  void EndWord() {
    const float w = block_.font->GetTextWidth(word_) * block_.size;
    if (w + space_ + used_ >= maxWidth_) {
      StoreLine();
      line_ = word_;
      used_ = w;
    } else {
      AppendWord();
      used_ = w + space_ + used_;
    }
    word_.clear();
  }

  // "\n": the word joins the line without a width test and the line ends.
  void Break() {
    AppendWord();
    StoreLine();
    line_.clear();
    word_.clear();
    used_ = 0;
  }

  // The pending word ends even inside an unclosed parenthesis, then the last
  // line is stored (also an empty one).
  void Finish() {
    inParentheses_ = false;
    EndWord();
    block_.lines.push_back({x_, cy_, line_});
  }

 private:
  void AppendWord() {
    if (!line_.empty()) line_ += ' ';
    line_ += word_;
  }
  void StoreLine() {
    block_.lines.push_back({x_, cy_, line_});
    cy_ += block_.size;
  }

  YTextBlock& block_;
  float x_, cy_, maxWidth_, space_;
  float used_ = 0;
  std::string line_, word_;
  bool inParentheses_ = false;
};

}  // namespace

void YTextBlock::Layout(std::string_view text, float x, float y, float maxWidth, YFont* font_, float size_) {
  font = font_;
  size = size_;
  lines.clear();
  text = text.substr(0, std::min(text.size(), text.find('\0')));
  Wrapper wrapper(*this, x, y, maxWidth);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      wrapper.Feed(text[i]);
      continue;
    }
    if (i + 1 == text.size()) break;  // a lone backslash at the end: only it goes
    if (text[++i] == 'n') wrapper.Break();
  }
  wrapper.Finish();
}

void YTextBlock::Draw() const {
  for (const Line& line : lines) YFont::DrawText(font, line.x, line.y, size, line.text);
}
