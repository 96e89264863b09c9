// The UI root: screen fades, the modal stack, input routing, drawing, and the
// pointers it must forget.
#include "ui/UIRoot.h"

#include <gtest/gtest.h>

#include "tests/framework/LogCapture.h"
#include "tests/render/RecordingRender.h"
#include "tests/ui/UIProbe.h"

namespace {

using Stack = std::vector<UIControl*>;

std::vector<float> Floats(const RecordingRender::Call* call, int from, int to) {
  return std::vector<float>(call->floats.begin() + from, call->floats.begin() + to);
}

struct UIRootTest : ::testing::Test {
  void SetUp() override { Journal().clear(); }
  void Run(int steps) {
    for (int i = 0; i < steps; ++i) root.Update(0.1f);
  }
  // Opens a modal and lets it (and one it replaces) finish growing.
  void Open(UIControl& modal) {
    root.PushModal(&modal);
    Run(4);
  }
  Recorder listener;
  UIRoot root{1000, 625, &listener};
  Probe a{"a"}, b{"b"}, c{"c"};
};

// At full darkness a change swaps on the next update; else the screen darkens
// for 0.4 s (the mouse still going to the old one). The swapped screen stays
// pending, so ResetFade swaps it in once more.
TEST_F(UIRootTest, ScreenChangeSwapsAtFullDarknessAndReportsOnce) {
  root.SetScreen(&a);
  Run(4);
  ASSERT_EQ(root.ScreenFade(), 1.0f);
  root.SetScreen(&b);
  root.Update(0.001f);
  Run(4);
  Journal().clear();
  root.SetScreen(&c);
  Run(3);
  EXPECT_EQ(root.GetActive(), &c);
  root.OnMouseDown(0, -1, 0.625f);
  Run(1);
  EXPECT_EQ(root.CurrentScreen(), &c);
  EXPECT_EQ(root.PendingScreen(), &c);
  Run(4);
  EXPECT_EQ(root.ScreenFade(), 0.0f);
  EXPECT_EQ(Journal(), (Lines{"b:animate", "b:animate", "b:animate", "b:down 0,0", "b:animate", "b:hide",
                              "b:leave", "c:animate", "c:animate", "c:animate", "c:animate"}));
  root.ResetFade();
  root.Update(0.001f);
  EXPECT_EQ(root.CurrentScreen(), &c);
  EXPECT_EQ(listener.events, (Events{{6, &a}, {6, &b}, {6, &c}, {6, &c}}));
}

// A fade that moves changes the picture with the time, as an animation
// does, so that its frames are shown in time; a screen at rest does not.
TEST_F(UIRootTest, AMovingFadeCountsAsAChangeWithTime) {
  root.SetScreen(&a);
  int moving = 0;
  while (root.Update(0.1f) && moving < 100) ++moving;
  EXPECT_EQ(moving, 8) << "0.4 s to the dark and the swap, then 0.4 s back";
  EXPECT_FALSE(root.Update(0.1f));
  root.PushModal(&b);
  EXPECT_TRUE(root.Update(0.1f));
}

// A screen made current at once (a book closing over the screen it hid)
// is at rest: no change seems pending, and a later fade brings it back.
TEST_F(UIRootTest, AScreenMadeCurrentAtOnceStaysThroughALaterFade) {
  root.SetScreen(&a);
  Run(4);
  root.SetScreen(nullptr);
  Run(8);
  root.SetCurrentScreen(&b);
  EXPECT_EQ(root.PendingScreen(), &b);
  root.ResetFade();
  Run(4);
  EXPECT_EQ(root.CurrentScreen(), &b);
}

// A second modal waits for the first to shrink; only the top is drawn and fed.
TEST_F(UIRootTest, StackedModalsShowOnlyTheTop) {
  RecordingRender render;
  Open(a);
  root.PushModal(&b);
  Run(1);
  EXPECT_EQ(root.ModalStack(), Stack{&a});
  Run(4);
  EXPECT_EQ(root.ModalStack(), (Stack{&a, &b}));
  Journal().clear();
  root.Draw();
  root.OnMouseDown(0, 0, 0);
  root.CloseModal();
  Run(2);
  EXPECT_EQ(root.ModalStack(), Stack{&a});
  EXPECT_EQ(Journal(), (Lines{"b:paint", "b:down 500,312", "a:animate", "b:animate", "a:animate", "b:animate",
                              "b:hide", "b:leave"}));
}

TEST_F(UIRootTest, ModalChangedBeforeItGrewStillProgresses) {
  LogCapture log;
  root.PushModal(nullptr);
  EXPECT_EQ(log.Lines(), Lines{"A modal dialog that does not exist was not opened."});
  root.PushModal(&a);
  root.PushModal(&b);
  root.Update(0.05f);
  EXPECT_EQ(root.ModalStack(), (Stack{&a, &b}));  // b replaced a before it grew
  root.CloseAllModals();                          // b closed before it grew
  root.Update(0.05f);
  EXPECT_TRUE(root.ModalStack().empty());
  EXPECT_FALSE(b.IsVisible());
}

// Lower modals go without Hide; a modal waiting meanwhile still opens.
TEST_F(UIRootTest, CloseAllModalsDropsTheLowerOnesAndKeepsTheWaitingOne) {
  Open(a);
  Open(b);
  Open(c);
  Journal().clear();
  root.CloseAllModals();
  Run(3);
  EXPECT_TRUE(root.ModalStack().empty());
  EXPECT_EQ(Journal(), (Lines{"c:animate", "c:animate", "c:hide", "c:leave"}));
  Open(a);
  Open(b);
  root.PushModal(&c);
  root.CloseAllModals();
  Run(4);
  EXPECT_EQ(root.ModalStack(), Stack{&c});
  EXPECT_EQ(root.WaitingModal(), nullptr);
}

// A modal closed in the frame another is opened (a click that closes its
// dialog and a notice of what it did) goes: the new one takes its place, in
// either order, and closing that reopens the one below the closed one.
TEST_F(UIRootTest, AClosedModalMakesWayForTheOneOpenedWithIt) {
  Open(a);
  for (bool closeFirst : {true, false}) {
    Open(b);
    if (closeFirst) root.CloseModal();
    root.PushModal(&c);
    if (!closeFirst) root.CloseModal();
    Run(4);
    EXPECT_EQ(root.ModalStack(), (Stack{&a, &c}));
    EXPECT_FALSE(b.IsVisible());
    root.CloseModal();
    Run(4);
    EXPECT_EQ(root.ModalStack(), Stack{&a});
  }
}

TEST_F(UIRootTest, SavedModalStacksComeBackFullyOpen) {
  root.PushModal(&a);
  root.Update(0.1f);
  root.RestoreModalStack();  // nothing saved: the open one at once
  EXPECT_EQ(root.ModalFade(), 1.0f);
  root.SaveModalStack();
  root.PushModal(&b);
  root.RestoreModalStack();
  EXPECT_EQ(root.ModalStack(), Stack{&a});
}

TEST_F(UIRootTest, InputReachesTheFocusedControlAndTheTopModal) {
  Probe screen("screen", {0, 0, 1000, 625});
  Probe modal("modal", {300, 200, 400, 200});
  Add(screen, "edit", YRect{0, 0, 50, 20})->SetFocus();
  root.OnKeyDown(13);
  root.SetScreen(&screen);
  Run(4);
  root.OnKeyDown(13);
  EXPECT_EQ(Journal(), Lines{"edit:key 13"});  // no screen yet: the first key reached nothing
  Open(modal);
  Journal().clear();
  root.OnChar('x');
  root.OnMouseDown(1, 0, 0);
  root.OnMouseUp(1, 0, 0);
  EXPECT_EQ(Journal(), (Lines{"edit:char 120", "modal:down 200,112", "modal:up 200,112"}));
  const YVector2 centre = root.ToUICoords(0, 0), topLeft = root.ToUICoords(-1, 0.625f);
  EXPECT_TRUE(centre.x == 500 && centre.y == 312.5f && topLeft.x == 0 && topLeft.y == 0);
}

// A screen shown under a pointer that has not moved since: the first press
// still reaches the control under it, entered first.
TEST_F(UIRootTest, APressWithoutAMoveFindsTheControlUnderThePointer) {
  Probe screen("screen", {0, 0, 1000, 625});
  Add(screen, "button", YRect{0, 0, 100, 100});
  root.SetScreen(&screen);
  Run(4);
  Journal().clear();
  root.OnMouseDown(1, -0.9f, 0.55f);
  root.OnMouseUp(1, -0.9f, 0.55f);
  EXPECT_EQ(Journal(), (Lines{"button:enter", "button:down 50,37", "button:up 50,37"}));
}

// Half open over a half dark screen: dimmed, scaled about the middle, faded.
TEST_F(UIRootTest, DrawDimsScalesTheModalAndFadesOnTop) {
  RecordingRender render;
  a.rect = {0, 100, 200, 200};
  root.PushModal(&a);
  root.SetScreen(&b);
  root.Update(0.1f);
  root.Draw();
  const auto* modalWorld = render.CallsMatching("SetWorldTransform").at(1);  // after the dimming's
  EXPECT_EQ(Floats(modalWorld, 12, 14), (std::vector<float>{0, 206.25f}));   // 100 * 0.5 + 0.5 * 625 / 2
  EXPECT_EQ(modalWorld->floats[5], 0.5f);                                    // y scaled by the fade
  const auto materials = render.CallsMatching("ApplyMaterial");              // emissive, then diffuse alpha
  ASSERT_EQ(materials.size(), 2u);
  EXPECT_EQ(Floats(materials[0], 12, 16), (std::vector<float>{0.125f, 0.125f, 0.125f, 0.25f}));
  EXPECT_EQ(Floats(materials[1], 12, 16), (std::vector<float>{0.0625f, 0.0625f, 0.0625f, 0.25f}));
  const auto quads = render.CallsMatching("DrawQuad28");
  const std::vector<float> corners = {0, 0, 0, 625, 1000, 625, 1000, 0};  // counter-clockwise on screen
  for (int i = 0; i < 8; ++i) EXPECT_EQ(quads.at(1)->floats[i / 2 * 7 + i % 2], corners[i]);
}

TEST_F(UIRootTest, RootKeepsNoDanglingPointers) {
  {
    Probe screen("screen"), modal("modal");
    Recorder gone;
    root.SetScreen(&screen);
    Run(4);
    Open(modal);
    root.SaveModalStack();
    root.SetDefaultListener(&gone);
  }
  root.RestoreModalStack();
  EXPECT_TRUE(!root.CurrentScreen() && root.ModalStack().empty() && !root.DefaultListener());
  {
    UIRoot other(1000, 625, nullptr);
    EXPECT_EQ(UIRoot::Instance(), &other);
  }
  EXPECT_EQ(UIRoot::Instance(), nullptr);
}

}  // namespace
