// The closing scene after the quest's last level: a full-screen picture
// with two turning, pulsing flares and rising fire, which after a minute
// (or at the first key or click) fades, zooms out onto the open book showing
// the closing pages and waits there for one more key or click to open the
// hall of fame. A small timed sequence of four stages. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ScreenHost;
class UIControl;
class YBook;
class YShader;

class YFinalScene {
 public:
  // The stages, entered from the picture downwards.
  static constexpr int kPicture = 3;
  static constexpr int kFade = 2;
  static constexpr int kZoom = 1;
  static constexpr int kBookStage = 0;
  // Seconds of one flare cycle.
  static constexpr float kPulseCycle = 10;

  // The scene shows its closing pages in `book`, which outlives it.
  explicit YFinalScene(YBook& book);
  ~YFinalScene();
  YFinalScene(const YFinalScene&) = delete;
  YFinalScene& operator=(const YFinalScene&) = delete;

  // The program's scene, on the program's book; never destroyed, so that
  // its pages outlive the book's window at exit.
  static YFinalScene& Instance();

  // Whether the application's state word shows the scene: state 5 (the
  // book view) with the final-scene bit 0x20000.
  static bool ShownIn(std::uint32_t stateWord);
  // Seconds a stage lasts, by the stage being entered.
  static float StageTime(int stageIndex);
  // Fire particles one step of dt seconds emits: 200 a second, at least 1.
  static int FireCount(float dt);

  // Starts at the picture; the closing pages are read once (from the
  // interface folder of the configuration, or `interfaceFolder`, which ends
  // in a separator) and handed to the book, whose window does not become
  // the current screen: the scene draws the book itself.
  void Open();
  void Open(const std::string& interfaceFolder);
  // The per-frame step, no drawing: the stage timer (at most one stage per
  // step), the flare cycle and, on the picture, the fire particles.
  void Update(float dt);
  // Update, then the drawing of the stage (a renderer is needed).
  void Draw(float dt);
  // A key press or mouse click: cuts the picture short, or on the book at
  // rest opens the hall of fame through `host`.
  void OnInput(ScreenHost& host);

  int Stage() const { return stage; }
  float Timer() const { return timer; }
  float Pulse() const { return pulse; }
  // The closing pages, as the book shows them.
  std::vector<UIControl*> Pages() const;

 private:
  void BuildPages(const std::string& interfaceFolder);
  void EmitFire(float dt);
  void DrawPicture(float dt);
  void DrawFlare(float phase, float turn, float fade) const;
  void DrawZoom(float dt);
  void DrawBookStage(float dt);

  YShader* sceneShader = nullptr;
  YShader* flareShader = nullptr;
  float timer = 0;
  float pulse = 0;
  int stage = 0;
  YBook& book_;
  YShader* fireShader_ = nullptr;
  bool pagesBuilt_ = false;
  std::vector<std::unique_ptr<UIControl>> finalPages_;
};
