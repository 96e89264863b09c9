#include "game/book/YFinalScene.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "draw/ImageDrawing.h"
#include "draw/ParticleSystem.h"
#include "framework/Init.h"
#include "framework/YMatrix4.h"
#include "game/book/BookPages.h"
#include "game/book/YBook.h"
#include "game/screens/ScreenEvents.h"
#include "game/screens/ScreenHost.h"
#include "platform/Random.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "ui/UIControl.h"
#include "ui/UIRoot.h"

namespace {

constexpr std::array<float, 4> kStageTimes = {0, 3, 1, 60};  // by stage, 0 to 3
constexpr float kFiresPerSecond = 200;
// The closing pages, in the interface folder, in reading order.
constexpr std::array<const char*, 2> kPageFiles = {"intro\\final.yml", "help\\about.yml"};

// The picture: the whole UI space, the upper part of its texture.
const YRect kPictureRect(0, 0, 1000, 625);
const YRect kPictureTexture(0, 0, 1, 0.625f);

// The flares: 360 x 360 squares about (712, 133).
constexpr float kFlareSize = 360;
constexpr float kFlareX = 712;
constexpr float kFlareY = 133;
constexpr float kFlareTurn = 0.1f;  // turns per cycle
constexpr float kFlareAlpha = 0.4f;

// The zoom onto the book: at its start the book is 3.7 times its size with
// (180, 65) of it at the top left corner.
constexpr float kZoomGrowth = 2.7f;
constexpr float kZoomX = -666;
constexpr float kZoomY = -240.5f;

// A uniform number in [-1, 1) from the program's generator.
float Uniform() {
  return static_cast<float>(platform::Random()) / 16384.0f - 1.0f;
}

void DrawUIRoot() {
  if (UIRoot* root = UIRoot::Instance()) root->Draw();
}

}  // namespace

YFinalScene::YFinalScene(YBook& book) : book_(book) {}
YFinalScene::~YFinalScene() = default;

YFinalScene& YFinalScene::Instance() {
  // The book's window may still hold the closing pages when static objects
  // go at exit; the scene and its pages live until the process ends.
  static YFinalScene* const scene = new YFinalScene(GetBook());
  return *scene;
}

bool YFinalScene::ShownIn(std::uint32_t stateWord) {
  return (stateWord & 7) == screen_state::kBook && (stateWord & screen_state::kFinalScene) != 0;
}

float YFinalScene::StageTime(int stageIndex) {
  return kStageTimes[static_cast<std::size_t>(std::clamp(stageIndex, 0, kPicture))];
}

int YFinalScene::FireCount(float dt) {
  return std::max(1, static_cast<int>(kFiresPerSecond * dt));
}

void YFinalScene::Open() {
  Open(GetInit().GetInterfaceName() + "\\");
}

void YFinalScene::Open(const std::string& interfaceFolder) {
  stage = kPicture;
  timer = StageTime(kPicture);
  if (!pagesBuilt_) BuildPages(interfaceFolder);
  book_.SetPages(Pages());
}

std::vector<UIControl*> YFinalScene::Pages() const {
  return BookPages::View(finalPages_);
}

void YFinalScene::BuildPages(const std::string& interfaceFolder) {
  pagesBuilt_ = true;
  for (const char* file : kPageFiles) BookPages::ReadPage(finalPages_, interfaceFolder + file);
}

void YFinalScene::Update(float dt) {
  timer -= dt;
  if (timer <= 0) {
    if (stage > kBookStage) {
      --stage;
      timer = StageTime(stage);
    } else {
      timer = 0;
    }
  }
  pulse -= dt;
  if (pulse <= 0) pulse = kPulseCycle;
  if (stage == kPicture) EmitFire(dt);
}

// Fire rising from the brazier on the left of the picture, fading from a
// faint white to transparent red.
void YFinalScene::EmitFire(float dt) {
  if (fireShader_ == nullptr) fireShader_ = GetShader("fire_part");
  ParticleSystem& particles = GetParticleSystem();
  for (int i = FireCount(dt); i > 0; --i) {
    const float life = 0.7f + 0.2f * Uniform();
    const float x = 244 + 80 * Uniform();
    const float y = 143 + 40 * Uniform();
    const float vy = -80 + 40 * Uniform();
    particles.AddParticle2D(life, 0, 100, x, y, 0, vy, 10, nullptr, fireShader_, YColor(1, 1, 1, 0.1f),
                            YColor(1, 0, 0, 0));
  }
}

void YFinalScene::OnInput(ScreenHost& host) {
  if (stage == kBookStage && timer <= 0)
    host.ShowHallOfFame();
  else if (stage > kFade)
    timer = 0;  // the next step moves on to the fade
}

void YFinalScene::Draw(float dt) {
  Update(dt);
  if (g_render == nullptr) return;
  if (stage >= kFade)
    DrawPicture(dt);
  else if (stage == kZoom)
    DrawZoom(dt);
  else
    DrawBookStage(dt);
}

// The picture with its two flares half a cycle apart, turning opposite
// ways, faded out over the fade stage.
void YFinalScene::DrawPicture(float dt) {
  if (sceneShader == nullptr) sceneShader = GetShader("gameFinal");
  if (flareShader == nullptr) flareShader = GetShader("varrickFinal");
  DrawImageQuad(kPictureRect, kPictureTexture, nullptr, sceneShader);
  const float fade = stage == kPicture ? 1.0f : timer / StageTime(kFade);
  const float phase = 1 - pulse / kPulseCycle;
  const float second = phase + 0.5f > 1 ? phase - 0.5f : phase + 0.5f;
  DrawFlare(phase, kFlareTurn, fade);
  DrawFlare(second, -kFlareTurn, fade);
  g_render->Set2DTransform(YMatrix4());
  GetParticleSystem().UpdateAndDraw2D(dt);
  DrawUIRoot();
}

// One flare, turned and grown about its centre with the phase, brightest
// at mid-cycle. A transparent one is left out: drawn, it would show in the
// shader's own colour.
void YFinalScene::DrawFlare(float phase, float turn, float fade) const {
  const float alpha = kFlareAlpha * fade * (0.5f - std::fabs(phase - 0.5f));
  if (alpha <= 0) return;
  const float scale = phase + 0.25f;
  YMatrix4 grow, spin, move, grown, placed;
  grow.SetScaling(YVector3(scale, scale, 1));
  spin.SetRotationZ(phase * turn * 360);
  move.SetTranslation(YVector3(kFlareX, kFlareY, 0));
  spin.Multiply(grown, grow);    // grown, then turned
  move.Multiply(placed, grown);  // then moved to the centre
  g_render->Set2DTransform(placed);
  DrawImageRect(-kFlareSize / 2, -kFlareSize / 2, kFlareSize, kFlareSize, nullptr, flareShader, kImageUpright,
                YColor(1, 1, 1, alpha));
}

// The book at rest, shrinking from 3.7 times its size to its own.
void YFinalScene::DrawZoom(float dt) {
  const float s = timer / StageTime(kZoom);
  const float k = 1 + kZoomGrowth * s;
  YMatrix4 scale, move, zoom;
  scale.SetScaling(YVector3(k, k, 1));
  move.SetTranslation(YVector3(kZoomX * s, kZoomY * s, 0));
  move.Multiply(zoom, scale);  // scaled, then moved
  book_.DrawStill(dt, zoom);
  GetParticleSystem().UpdateAndDraw2D(dt);
}

void YFinalScene::DrawBookStage(float dt) {
  book_.DrawStill(dt, YMatrix4());
  DrawUIRoot();
}
