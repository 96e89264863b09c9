#include "render/SplashScreens.h"

#include <algorithm>
#include <string>

#include "framework/Init.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "render/YShaderStage.h"
#include "render/YTextureBase.h"

namespace {

// Texture coordinates stop short of the edges, so filtering never reaches
// the texels of the opposite side.
constexpr float kTexLow = 0.001f, kTexHigh = 0.999f;

// A quad of half sides (w, h) about the origin at depth z, counter-clockwise
// on the screen from the bottom left, with the image's top row at the top.
std::array<YTexVertex, 4> CentredQuad(float w, float h, float z) {
  return {YTexVertex({-w, -h, z}, {kTexLow, kTexHigh}), YTexVertex({w, -h, z}, {kTexHigh, kTexHigh}),
          YTexVertex({w, h, z}, {kTexHigh, kTexLow}), YTexVertex({-w, h, z}, {kTexLow, kTexLow})};
}

}  // namespace

void SplashScreens::AddScreen(std::string_view shader, std::string_view bgShader, const YColor& bgColor,
                              float width, float height) {
  screens_.push_back(Screen{GetShader(shader), GetShader(bgShader), width, height, bgColor});
}

bool SplashScreens::Over() const {
  return static_cast<std::size_t>(index_) >= screens_.size();
}

void SplashScreens::Update(float dt) {
  if (!(dt >= 0) || Over()) return;
  switch (state_) {
    case Phase::FadeIn:
      timer_ += dt;
      if (timer_ <= kFadeTime) return;
      timer_ -= kFadeTime;
      state_ = Phase::Shown;
      return;
    case Phase::Shown:
      timer_ += dt;
      if (timer_ <= kShowTime) return;
      timer_ = kFadeTime - (timer_ - kShowTime);
      state_ = Phase::FadeOut;
      return;
    case Phase::FadeOut:
      timer_ -= dt;
      if (timer_ >= 0) return;
      timer_ = -timer_;
      state_ = Phase::FadeIn;
      index_ += step_;
      return;
  }
}

float SplashScreens::Alpha() const {
  if (state_ == Phase::Shown) return 1.0f;
  return std::clamp(timer_ / kFadeTime, 0.0f, 1.0f);
}

bool SplashScreens::Draw() {
  if (Over()) return false;
  if (!g_render) return true;
  const Screen& screen = screens_[static_cast<std::size_t>(index_)];
  if (!backgroundBuilt_) {
    backgroundQuad_ = CentredQuad(1, 1, 1);
    backgroundBuilt_ = true;
  }
  if (imageQuadIndex_ != index_) {
    BuildImageQuad(screen);
    imageQuadIndex_ = index_;
  }
  const float a = Alpha();
  const YColor& c = screen.color;
  g_render->SetShaderColor(screen.background, YColor(c.r * a, c.g * a, c.b * a, c.a * a));
  g_render->DrawQuad28(backgroundQuad_.data());
  g_render->SetShaderColor(screen.shader, YColor(a, a, a, 1));
  g_render->DrawQuad28(imageQuad_.data());
  return true;
}

// The image's size in the 800 x 600 reference screen as a share of the
// viewport's half sides.
void SplashScreens::BuildImageQuad(const Screen& screen) {
  imageQuad_ = CentredQuad(screen.width * 0.00125f, screen.height * 0.0016666667f, 0);
}

void SplashScreens::Skip() {
  if (state_ == Phase::Shown) {
    state_ = Phase::FadeOut;
    timer_ = kFadeTime;
  } else if (state_ == Phase::FadeIn) {
    state_ = Phase::FadeOut;
  }
}

void SplashScreens::SkipAll() {
  Skip();
  step_ = kSkipAllStep;
}

SplashScreens& GetSplashScreens() {
  static SplashScreens screens;
  return screens;
}

void InstallSplashSink() {
  GetInit().SetSplashSink([](const std::string& shader, const std::string& bgShader, const YColor& color,
                             float width, float height) {
    GetSplashScreens().AddScreen(shader, bgShader, color, width, height);
  });
}

void SplashScreens::ReleaseTextures() {
  for (const Screen& screen : screens_)
    for (const YShader* shader : {screen.shader, screen.background}) {
      if (shader == nullptr) continue;
      for (const auto& stage : shader->stages)
        if (stage->texture != nullptr) stage->texture->ReleaseUntilUsed();
    }
}
