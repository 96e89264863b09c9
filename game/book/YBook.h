// The open book: two facing pages of a page list laid over the picture of
// an open book on a slowly turning background, and the animated turn of a
// leaf between two-page spreads. The help, the introduction and the closing
// pages are page lists handed to the one book; the pages belong to their
// lists, never to the book or its window. Main thread only.
#pragma once

#include <memory>
#include <vector>

class UIControl;
class YRotatingItem;
class YShader;
class YTextureBase;
struct YMatrix4;

class YBook {
 public:
  // Turn progress per second: a whole turn (the leaf up and down) takes
  // 2 / 2.25 s.
  static constexpr float kTurnRate = 2.25f;

  // The window over the whole 1000 x 625 space; nothing shown.
  YBook();
  // The window lets its pages go before it is destroyed.
  ~YBook();
  YBook(const YBook&) = delete;
  YBook& operator=(const YBook&) = delete;

  // Shows `pages` (not owned) from the first spread at rest; returns the
  // window, which the caller may make the current screen.
  UIControl* SetPages(const std::vector<UIControl*>& pages);
  // The window's children become the back link and the shown spread; the
  // old pages are detached, not deleted.
  void Rebuild();
  // At rest only: turns to the spread holding `page`, clamped to the first
  // and the last spread. Ignored while a turn runs.
  void SetPage(int page);
  void NextPage();
  void PrevPage();
  void GotoPage();  // the last spread
  // Shows `page` on the left at once, without a turn (clamped to the pages).
  void Reset(int page);

  // Steps the turn by dt seconds (no drawing).
  void Step(float dt);
  // Steps and draws the whole book: background, book picture, and the
  // spread at rest through the UI root, or the turning leaf.
  void DrawScreen(float dt);
  // Draws the book at rest without stepping the turn and without the UI
  // root, all of it through the 2-D transform `view` (the final scene's
  // zoom; identity for none): the background stepped by dt, the book
  // picture and the shown pages. Leaves the transform at identity.
  void DrawStill(float dt, const YMatrix4& view);

  bool AtRest() const { return shownPage == targetPage; }
  int ShownPage() const { return shownPage; }
  int TargetPage() const { return targetPage; }
  float TurnPos() const { return turnPos; }
  float TurnGoal() const { return turnGoal; }
  int PageCount() const { return static_cast<int>(pages.size()); }
  UIControl* Window() const { return window.get(); }
  // The page shown at `index` of the list, or null.
  UIControl* Page(int index) const;

 private:
  void LoadResources();
  void DrawBackground(float dt);
  void DrawBookImage();
  void DrawTurn();

  YShader* bookShader = nullptr;
  YShader* imageShader = nullptr;
  YTextureBase* bookTexture = nullptr;
  int targetPage = 0;
  float turnPos = 0;
  float turnGoal = 0;
  int shownPage = 0;
  std::unique_ptr<UIControl> window;
  UIControl* backLink = nullptr;
  std::vector<UIControl*> pages;
  std::unique_ptr<YRotatingItem> background;
};

// The one book of the program.
YBook& GetBook();
