// Shared set-up of the widget tests: a recording renderer, synthetic fonts
// (at size 20 a letter is 10 wide, a blank 5) and read-backs of what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/YFont.h"
#include "render/YShader.h"
#include "tests/render/RecordingRender.h"
#include "tests/ui/UIProbe.h"
#include "ui/UIControl.h"
#include "ui/UIQuads.h"

namespace widget_test {

inline YShader* FontShader() {
  YShader* shader = GetShader("widget test font");
  if (shader->stages.empty()) shader->AddStage();
  return shader;
}

// Makes the font synthetic: a unit-square glyph for every byte but 0.
inline YFont* SyntheticFont(const char* name) {
  YFont* font = YFont::Find(name);
  font->shader = FontShader();
  for (int c = 1; c < 256; ++c) {
    font->widths[c] = c == ' ' ? 0.25f : 0.5f;
    font->glyphs[c] = YGlyph{{{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {1, 1, 0, 1, 1}, {0, 1, 0, 0, 1}}};
  }
  return font;
}

inline UITextStyle Style(float size = 20, YColor colour = YColor(1, 1, 1, 1)) {
  return UITextStyle{SyntheticFont("mainfont"), size, colour};
}

// The (x, y) of each scratch vertex, the first `count` of them.
inline std::vector<float> Positions(int count = 8) {
  std::vector<float> xy;
  for (int i = 0; i < count; ++i) {
    xy.push_back(UIQuadVertices[static_cast<std::size_t>(i)].x);
    xy.push_back(UIQuadVertices[static_cast<std::size_t>(i)].y);
  }
  return xy;
}

inline std::vector<float> TexCoords(int count = 8) {
  std::vector<float> uv;
  for (int i = 0; i < count; ++i) {
    uv.push_back(UIQuadVertices[static_cast<std::size_t>(i)].u1);
    uv.push_back(UIQuadVertices[static_cast<std::size_t>(i)].v1);
  }
  return uv;
}

// The emissive colour (r, g, b) and diffuse alpha of a recorded material.
inline std::vector<float> MaterialColour(const RecordingRender::Call* call) {
  const std::vector<float>& m = call->floats;  // diffuse, ambient, specular, emissive, power
  return {m[12], m[13], m[14], m[3]};
}

// The left x and the bottom y of every glyph quad drawn (DrawQuad28 calls
// whose first corner is the glyph's top left).
inline std::vector<std::pair<float, float>> GlyphCorners(const RecordingRender& render) {
  std::vector<std::pair<float, float>> corners;
  for (const auto* call : render.CallsMatching("DrawQuad28")) corners.emplace_back(call->floats[0], call->floats[15]);
  return corners;
}

inline void ExpectNear(const std::vector<float>& actual, const std::vector<float>& expected, const char* what = "") {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-4) << what << " at " << i;
}

class WidgetTest : public ::testing::Test {
 protected:
  WidgetTest() { SyntheticFont("default"); }
  // Draws the control's tree as the UI root would and returns the calls.
  const std::vector<RecordingRender::Call>& Draw(UIControl& control) {
    render.ClearCalls();
    control.Render(YMatrix4());
    return render.calls;
  }
  RecordingRender render;
  UITextStyle style = Style();
  Recorder events;
  UIControl screen{YRect(0, 0, 1000, 625), "screen", &events};
};

}  // namespace widget_test
