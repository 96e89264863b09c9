#include "game/book/YBook.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "draw/ImageDrawing.h"
#include "draw/YRotatingItem.h"
#include "framework/YMatrix4.h"
#include "game/book/BookNames.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "ui/UIControl.h"
#include "ui/UIHotImage.h"
#include "ui/UIRoot.h"

namespace {
const YRect kScreen(0, 0, 1000, 625);
const YRect kBackLink(260, 527, 74.4f, 95.81f);
const YRect kBookImage(62, 5, 876, 620);
const YRect kLeftHalf(62, 5, 438, 620);
const YRect kRightHalf(500, 5, 438, 620);
constexpr float kSpine = 500;
// The book picture fills the texture's width and the top 0.707 of its height.
constexpr float kTextureHeight = 0.707f;
const YRect kWholeTexture(0, 0, 1, kTextureHeight);
const YRect kLeftTexture(0, 0, 0.5f, kTextureHeight);
const YRect kRightTexture(0.5f, 0, 0.5f, kTextureHeight);

// Rounds down to an even number, negative numbers included (-1 gives -2).
int EvenBelow(int page) {
  return page & ~1;
}

// The leaf's transform: x shrinks towards the spine by c, and y shears by s
// per unit of distance from the spine, downward on the side `shear` gives.
YMatrix4 LeafTransform(float c, float shear) {
  YMatrix4 m;
  m.m[0][0] = c;
  m.m[0][1] = shear;
  m.m[3][0] = kSpine * (1 - c);
  m.m[3][1] = -kSpine * shear;
  return m;
}
}  // namespace

YBook::YBook() : window(std::make_unique<UIControl>(kScreen, "", nullptr)) {}

// The pages belong to their lists: only the back link is the window's own.
YBook::~YBook() {
  for (std::unique_ptr<UIControl>& child : window->Clear())
    if (child.get() != backLink) (void)child.release();
}

UIControl* YBook::SetPages(const std::vector<UIControl*>& list) {
  pages = list;
  targetPage = shownPage = 0;
  turnPos = turnGoal = 0;
  Rebuild();
  return window.get();
}

void YBook::Rebuild() {
  std::unique_ptr<UIControl> link;
  for (std::unique_ptr<UIControl>& child : window->Clear()) {
    if (child.get() == backLink)
      link = std::move(child);
    else
      (void)child.release();  // a page of its list
  }
  if (!link)
    link = std::make_unique<UIHotImage>(kBackLink, "back", GetShader(book_names::kBookmarkShader), nullptr);
  backLink = window->AddChild(std::move(link));
  for (int index : {shownPage, shownPage + 1})
    if (UIControl* page = Page(index)) window->AddChild(std::unique_ptr<UIControl>(page));
  if (UIRoot* root = UIRoot::Instance()) root->RefreshMouse();
}

void YBook::SetPage(int page) {
  if (!AtRest()) return;
  const int last = EvenBelow(PageCount() - 1);
  const int target = std::max(0, std::min(EvenBelow(page), last));
  if (target == shownPage) return;
  targetPage = target;
  turnGoal = 1;
}

void YBook::NextPage() {
  SetPage(shownPage + 2);
}

void YBook::PrevPage() {
  SetPage(shownPage - 2);
}

void YBook::GotoPage() {
  SetPage(PageCount() - 1);
}

// Clamped: a remembered page can outlive the list it was taken from (the
// help read again in another language).
void YBook::Reset(int page) {
  page = std::max(0, std::min(page, PageCount() - 1));
  turnGoal = turnPos = 0;
  targetPage = shownPage = page;
  Rebuild();
}

void YBook::Step(float dt) {
  if (!std::isfinite(dt)) return;
  if (turnPos < turnGoal) {
    turnPos += kTurnRate * dt;
    if (turnPos >= turnGoal) {
      turnPos = turnGoal;
      turnGoal = 0;  // the leaf is upright: it falls from here
    }
  } else if (turnPos > turnGoal) {
    turnPos -= kTurnRate * dt;
    if (turnPos <= turnGoal) {
      turnPos = turnGoal;
      shownPage = targetPage;
      Rebuild();
    }
  }
}

void YBook::DrawScreen(float dt) {
  Step(dt);
  DrawBackground(dt);
  if (g_render == nullptr) return;
  LoadResources();
  DrawBookImage();
  if (!AtRest()) {
    DrawTurn();
    return;
  }
  if (UIRoot* root = UIRoot::Instance()) root->Draw();
}

// The pages take the view as their controls' outer transform: each one's
// world transform is its own offset, then the view.
void YBook::DrawStill(float dt, const YMatrix4& view) {
  if (g_render != nullptr) g_render->Set2DTransform(view);
  DrawBackground(dt);
  if (g_render == nullptr) return;
  LoadResources();
  DrawBookImage();
  for (int index : {shownPage, shownPage + 1})
    if (UIControl* page = Page(index)) page->Render(view);
  g_render->Set2DTransform(YMatrix4());
}

UIControl* YBook::Page(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return pages[static_cast<std::size_t>(index)];
}

void YBook::LoadResources() {
  if (bookTexture != nullptr) return;
  bookShader = GetShader(book_names::kBookShader);
  imageShader = GetImageStd();
  bookTexture = GetTexture(book_names::kPagesTexture);
}

void YBook::DrawBackground(float dt) {
  if (!background)
    background = std::make_unique<YRotatingItem>(kScreen, GetShader(book_names::kBackgroundShader));
  background->Step(dt);
  if (g_render != nullptr) background->Draw();
}

void YBook::DrawBookImage() {
  DrawImageQuad(kBookImage, kWholeTexture, nullptr, bookShader);
}

// The pages under the leaf lie flat: the lower spread's left page and the
// higher spread's right page. The leaf is the half of the book that folds
// up (the old spread's page) or comes down (the new spread's page).
void YBook::DrawTurn() {
  const YMatrix4 identity;
  const int low = std::min(targetPage, shownPage), high = std::max(targetPage, shownPage);
  if (UIControl* page = Page(low)) page->Render(identity);
  if (UIControl* page = Page(high + 1)) page->Render(identity);
  const float a = std::numbers::pi_v<float> / 2 * turnPos;
  const float c = std::cos(a), s = std::sin(a) / 4;
  const bool leftLeaf = (targetPage < shownPage) != (turnGoal == 0);
  const YMatrix4 leaf = LeafTransform(c, leftLeaf ? s : -s);
  g_render->Set2DTransform(leaf);
  if (leftLeaf) {
    DrawImageQuad(kLeftHalf, kLeftTexture, bookTexture, imageShader);
    if (UIControl* page = Page(high)) page->Render(leaf);
  } else {
    DrawImageQuad(kRightHalf, kRightTexture, bookTexture, imageShader);
    if (UIControl* page = Page(low + 1)) page->Render(leaf);
  }
  g_render->Set2DTransform(identity);
}

YBook& GetBook() {
  static YBook book;
  return book;
}
