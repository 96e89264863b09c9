// The clickable widgets: what makes a click (and its one "tuc"), the disabled
// look, and how each look is drawn.
#include "ui/UIButton.h"

#include <functional>
#include <memory>

#include "platform/SoundDevice.h"
#include "sound/SoundEntry.h"
#include "sound/SoundSystem.h"
#include "sound/YSoundSource.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/ui/UIProbe.h"
#include "tests/ui/WidgetTestSupport.h"
#include "ui/UIHotImage.h"
#include "ui/UISpeedButton.h"

namespace {

using widget_test::Style;

// One letter a step on a widget at (10, 10): i / o move inside / outside,
// D U left press and release, d u the same with the right button, x disables.
struct Steps {
  const char* script;
  int clicks;
  int finalState;
};

const Steps kSequences[] = {
    {"iDU", 1, UIPressable::kHot},         // a click
    {"idu", 0, UIPressable::kHot},         // the right button
    {"iDoiU", 0, UIPressable::kHot},       // leaving ends the press, coming back does not resume it
    {"iU", 0, UIPressable::kHot},          // a release without a press
    {"ixDUo", 0, UIPressable::kDisabled},  // disabled: deaf to the mouse
};

void Play(const char* script, UIControl& screen, UIPressable& widget) {
  for (const char* c = script; *c; ++c) {
    const float x = *c == 'o' ? 300 : 50, y = *c == 'o' ? 300 : 20;
    if (*c == 'i' || *c == 'o') screen.MouseMove(x, y);
    if (*c == 'D' || *c == 'd') screen.MouseDown(*c == 'D' ? 1 : 2, x, y);
    if (*c == 'U' || *c == 'u') screen.MouseUp(*c == 'U' ? 1 : 2, x, y);
    if (*c != 'x') continue;
    if (auto* button = dynamic_cast<UIButton*>(&widget)) button->SetEnabled(false);
    if (auto* speed = dynamic_cast<UISpeedButton*>(&widget)) speed->SetEnabled(false);
  }
}

using Factory = std::function<std::unique_ptr<UIPressable>()>;

const std::pair<const char*, Factory> kWidgets[] = {
    {"button",
     [] {
       return std::make_unique<UIButton>(YRect(10, 10, 100, 40), "b", GetShader("b"), nullptr, Style(),
                                         Style(), "Go", 0.5f, YColor(0.5f, 0.5f, 0.5f, 1));
     }},
    {"speed button",
     [] { return std::make_unique<UISpeedButton>(YRect(10, 10, 100, 40), "b", nullptr, nullptr); }},
    {"hot image", [] { return std::make_unique<UIHotImage>(YRect(10, 10, 100, 40), "b", nullptr, nullptr); }},
};

TEST(UIPressable, AClickIsALeftPressAndReleaseWithoutLeavingAndPlaysTucOnce) {
  auto sound = std::make_unique<sound_test::OneSound>("tuc");
  for (const auto& [kind, make] : kWidgets) {
    for (const Steps& steps : kSequences) {
      Recorder events;
      UIControl screen(YRect(0, 0, 1000, 625), "screen", &events);
      auto* widget = static_cast<UIPressable*>(screen.AddChild(make()));
      const std::size_t playsBefore = sound->Plays();
      Play(steps.script, screen, *widget);
      EXPECT_EQ(events.events.size(), static_cast<std::size_t>(steps.clicks)) << kind << ": " << steps.script;
      EXPECT_EQ(sound->Plays() - playsBefore, static_cast<std::size_t>(steps.clicks))
          << kind << ": " << steps.script;
      for (const auto& [code, sender] : events.events) EXPECT_TRUE(code == 0 && sender == widget);
      EXPECT_EQ(widget->State(), steps.finalState) << kind << ": " << steps.script;
      SoundFrame();
    }
  }
  sound.reset();  // without the sound a click is silent
  Recorder events;
  UIControl screen(YRect(0, 0, 1000, 625), "screen", &events);
  Play("iDU", screen, *static_cast<UIPressable*>(screen.AddChild(kWidgets[0].second())));
  EXPECT_EQ(events.events.size(), 1u);
}

// Enabled under the pointer, a button looks normal until the pointer returns.
TEST(UIPressable, EnablingTakesOnlyTheDisabledLookBack) {
  UIControl screen(YRect(0, 0, 1000, 625), "screen", nullptr);
  auto* button = static_cast<UIButton*>(screen.AddChild(kWidgets[0].second()));
  screen.MouseMove(50, 20);
  button->SetEnabled(true);
  EXPECT_EQ(button->State(), UIPressable::kHot);
  button->SetEnabled(false);
  button->SetEnabled(true);
  screen.MouseMove(60, 20);
  EXPECT_EQ(button->State(), UIPressable::kNormal);
  screen.MouseMove(300, 300);
  screen.MouseMove(60, 20);
  EXPECT_EQ(button->State(), UIPressable::kHot);
  auto speed = std::make_unique<UISpeedButton>(YRect(0, 0, 10, 10), "s", nullptr, nullptr);
  speed->OnMouseEnter();
  speed->SetEnabled(true);  // a speed button always goes back to normal
  EXPECT_EQ(speed->State(), UIPressable::kNormal);
}

class UIButtonPaint : public widget_test::WidgetTest {
 protected:
  // A 200 x 30 button at the origin whose caption "Go" is 20 wide in every style.
  UIButtonPaint()
      : button(YRect(0, 0, 200, 30), "b", GetShader("button test"), nullptr, Style(20), hot, "Go", 0.5f,
               YColor(0.4f, 0.4f, 0.4f, 1)) {}
  void PaintIn(int state) {
    if (state == UIPressable::kDisabled) button.SetEnabled(false);
    if (state >= UIPressable::kHot && state != UIPressable::kDisabled) button.OnMouseEnter();
    if (state == UIPressable::kPressed) button.OnMouseDown(1, 0, 0);
    ASSERT_EQ(button.State(), state);
    Draw(button);
  }
  UITextStyle hot = Style(10, YColor(1, 0, 0, 1));
  UIButton button;
};

// Top half for normal and disabled, bottom half for hot and pressed; pressed
// moves by (0.05, 1 / 15) x height; disabled greys the frame and the caption.
TEST_F(UIButtonPaint, EachLookTakesItsHalfItsOffsetAndItsCaptionStyle) {
  const struct {
    int state;
    float v, ox, oy;         // texture v of the frame's top edge, frame offset
    float captionX, bottom;  // the caption's first glyph: left and baseline
  } cases[] = {
      {UIPressable::kNormal, 0, 0, 0, 90, 25},
      {UIPressable::kHot, 0.5f, 0, 0, 95, 20},
      {UIPressable::kPressed, 0.5f, 1.5f, 2, 96.5f, 22},
      {UIPressable::kDisabled, 0, 0, 0, 90, 25},
  };
  for (const auto& c : cases) {
    button.SetEnabled(true);
    button.OnMouseLeave();
    PaintIn(c.state);
    EXPECT_EQ(render.Count("DrawStrip28 6"), 1u);
    EXPECT_EQ(widget_test::TexCoords(1), (std::vector<float>{0, c.v})) << c.state;
    widget_test::ExpectNear(widget_test::Positions(1), {c.ox, c.oy}, "frame offset");
    EXPECT_FLOAT_EQ(UIQuadVertices[2].x, c.ox + 15) << c.state;  // the cap: lrFactor x height
    const auto glyphs = widget_test::GlyphCorners(render);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_FLOAT_EQ(glyphs[0].first, c.captionX) << c.state;
    EXPECT_NEAR(glyphs[0].second, c.bottom, 1e-4) << c.state;
  }
  const auto materials = render.CallsMatching("ApplyMaterial");
  ASSERT_EQ(materials.size(), 2u);
  EXPECT_EQ(widget_test::MaterialColour(materials[0]), (std::vector<float>{0.9f, 0.9f, 0.9f, 1}));
  EXPECT_EQ(widget_test::MaterialColour(materials[1]), (std::vector<float>{0.4f, 0.4f, 0.4f, 1}));
}

TEST_F(UIButtonPaint, SpeedButtonShowsTheQuarterOfItsLook) {
  UISpeedButton speed(YRect(5, 5, 30, 30), "s", GetShader("speed"), nullptr);
  const float corners[4][2] = {{0.01f, 0.01f}, {0.51f, 0.01f}, {0.01f, 0.51f}, {0.51f, 0.51f}};
  for (int state = 0; state < 4; ++state) {
    if (state == 1) speed.OnMouseEnter();
    if (state == 2) speed.OnMouseDown(1, 0, 0);
    if (state == 3) speed.SetEnabled(false);
    Draw(speed);
    EXPECT_EQ(render.Count("DrawQuad28"), 1u);
    EXPECT_EQ(widget_test::TexCoords(3),
              (std::vector<float>{corners[state][0], corners[state][1], corners[state][0] + 0.49f,
                                  corners[state][1], corners[state][0] + 0.49f, corners[state][1] + 0.49f}));
    EXPECT_EQ(widget_test::Positions(3), (std::vector<float>{0, 0, 30, 0, 30, 30}));
  }
}

TEST_F(UIButtonPaint, HotImageShowsOnlyUnderThePointer) {
  UIHotImage image(YRect(0, 0, 30, 30), "h", GetShader("hot"), nullptr);
  EXPECT_EQ(Draw(image).size(), 2u);  // the world matrix only, set and restored
  image.OnMouseEnter();
  Draw(image);
  EXPECT_EQ(render.Count("DrawQuad28"), 1u);
  EXPECT_EQ(widget_test::TexCoords(3), (std::vector<float>{0, 0, 1, 0, 1, 1}));
  image.OnMouseDown(1, 0, 0);
  Draw(image);
  EXPECT_EQ(render.Count("DrawQuad28"), 1u);
  image.SetEnabled(false);
  EXPECT_EQ(Draw(image).size(), 2u);
}

}  // namespace
