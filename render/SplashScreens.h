// The splash sequence shown at start, before the menus: each screen's image
// fades in over its background colour, stays, fades out, and the next one
// follows; key presses and clicks skip. The screens come from the "splash"
// entries of "splash\config.yml" (see InstallSplashSink). Main thread only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/YColor.h"
#include "framework/YTexVertex.h"

class YShader;

class SplashScreens {
 public:
  enum class Phase : std::int32_t { FadeIn = 0, Shown = 1, FadeOut = 2 };

  static constexpr float kFadeTime = 2.0f;  // seconds to fade in, and to fade out
  static constexpr float kShowTime = 3.0f;  // seconds at full brightness
  static constexpr std::int32_t kSkipAllStep = 100;

  // An empty sequence at the start of its first fade-in.
  SplashScreens() = default;

  // Appends a screen: the image shader and the background shader by name
  // (GetShader: names no file defined give empty shaders), the background
  // colour, and the image's size in pixels of an 800 x 600 reference screen
  // (800 x 600 fills the viewport).
  void AddScreen(std::string_view shader, std::string_view bgShader, const YColor& bgColor, float width,
                 float height);
  // Advances the sequence by dt seconds: at most one phase change per call;
  // time past the end of a phase is carried into the next. A dt that is
  // negative or not a number counts as 0.
  void Update(float dt);
  // Draws the current screen through g_render, right after the frame start
  // (identity transforms: x and y from -1 to 1 span the viewport). False,
  // drawing nothing, once the sequence is over (also when it is empty).
  // Without a renderer nothing is drawn and the result is the same.
  bool Draw();
  // Fades the current screen out from its present brightness; nothing while
  // it is already fading out.
  void Skip();
  // Skip, and end the sequence after the current screen's fade-out.
  void SkipAll();

  // Releases the device textures of every screen's image and background
  // (ReleaseUntilUsed): for when the sequence is over. They load again if
  // drawn again.
  void ReleaseTextures();
  // The brightness of the current screen, 0 to 1.
  float Alpha() const;
  bool Over() const;
  std::size_t ScreenCount() const { return screens_.size(); }
  std::int32_t Index() const { return index_; }
  Phase State() const { return state_; }
  float Timer() const { return timer_; }

 private:
  struct Screen {
    YShader* shader = nullptr;
    YShader* background = nullptr;
    float width = 0, height = 0;
    YColor color;
  };

  void BuildImageQuad(const Screen& screen);

  std::vector<Screen> screens_;
  std::int32_t index_ = 0;
  std::int32_t step_ = 1;  // added to index_ after a screen
  float timer_ = 0;
  Phase state_ = Phase::FadeIn;

  std::array<YTexVertex, 4> backgroundQuad_{};
  std::array<YTexVertex, 4> imageQuad_{};
  bool backgroundBuilt_ = false;
  std::int32_t imageQuadIndex_ = -1;  // the screen imageQuad_ was built for
};

// The process's splash sequence, built on first use.
SplashScreens& GetSplashScreens();
// Makes the configuration's "splash" entries (Init::LoadFile) append screens
// to GetSplashScreens(). Call before the splash file is read.
void InstallSplashSink();
