// Controls: the child list, hit testing, capture, focus, listeners, drawing
// transforms, and the process-wide pointers when controls go.
#include "ui/UIControl.h"

#include <gtest/gtest.h>

#include "tests/render/RecordingRender.h"
#include "tests/ui/UIProbe.h"
#include "ui/UIRoot.h"

namespace {

Lines Names(const UIControl& parent) {
  Lines names;
  for (const auto& child : parent.Children()) names.push_back(child->name);
  return names;
}

TEST(UIControlTree, RemovalMovesTheLastChildIntoPlaceAndHandsTheChildBack) {
  Probe root("root");
  UIControl* first = Add(root, "first");
  Add(root, "second");
  UIControl* deep = Add(*Add(root, "third"), "second");
  std::unique_ptr<UIControl> removed = root.RemoveChild(first);
  EXPECT_EQ(removed.get(), first);
  EXPECT_EQ(first->Parent(), nullptr);
  EXPECT_EQ(Names(root), (Lines{"third", "second"}));
  EXPECT_EQ(root.RemoveChild(first), nullptr);
  EXPECT_EQ(root.FindControl("second"), deep);  // depth first, in list order
  EXPECT_EQ(root.FindChild("second"), root.Children()[1].get());
  const auto taken = root.Clear();  // handed back without a parent to outlive
  EXPECT_TRUE(root.Children().empty() && taken.size() == 2 && !taken[0]->Parent());
}

TEST(UIControlMouse, HitTestIncludesTheRightAndBottomEdges) {
  const Probe probe("p", {10, 20, 100, 50});
  const struct {
    float x, y;
    bool hit;
  } cases[] = {
      {10, 20, true}, {110, 70, true}, {9.99f, 45, false}, {110.01f, 45, false}, {60, 70.01f, false}};
  for (const auto& c : cases) EXPECT_EQ(probe.HitTest(c.x, c.y), c.hit) << c.x << ", " << c.y;
}

// The last child is topmost; hidden under a resting pointer it is hot no more.
TEST(UIControlMouse, HiddenChildIsNeverHitAndLosesHotness) {
  Journal().clear();
  Probe root("root", {0, 0, 1000, 625});
  Probe* below = Add(root, "below", YRect{100, 100, 100, 100});
  Probe* above = Add(root, "above", YRect{150, 150, 100, 100});
  root.MouseMove(160, 170);
  above->Hide();
  root.MouseDown(0, 160, 170);
  root.MouseMove(160, 170);
  root.MouseDown(0, 160, 170);
  EXPECT_EQ(Journal(), (Lines{"above:enter", "above:hide", "above:leave", "root:down 160,170", "below:enter",
                              "below:down 60,70"}));
  EXPECT_EQ(root.HotChild(), below);
  // Back onto the shown child from the one beneath: the topmost takes over.
  above->Show();
  Journal().clear();
  root.MouseMove(160, 170);
  root.MouseDown(0, 160, 170);
  EXPECT_EQ(Journal(), (Lines{"below:leave", "above:enter", "above:down 10,20"}));
}

// Only the open list becomes hot; a click outside it and its owner closes it
// (before that control's own handling) and hands it to the owner.
TEST(UIControlCapture, OnlyTheCaptureIsHotAndAClickOutsideClosesIt) {
  Journal().clear();
  Probe root("root", {0, 0, 1000, 625});
  Probe* owner = Add(root, "owner", YRect{0, 0, 100, 30});
  Add(root, "other", YRect{0, 300, 100, 100});
  auto list = std::make_unique<Probe>("list", YRect{0, 30, 100, 200});
  Add(*list, "item", YRect{0, 0, 100, 20});
  UIControl* open = list.get();
  root.SetCapture(std::move(list), owner);
  root.MouseMove(50, 350);  // over "other": not hot
  root.MouseMove(50, 40);   // over the item inside the list: only the list
  EXPECT_EQ(open->HotChild(), nullptr);
  root.MouseDown(0, 50, 40);
  owner->MouseDown(0, 5, 5);
  EXPECT_EQ(UIControl::Capture(), open);
  root.MouseMove(50, 350);
  root.MouseDown(0, 50, 350);
  EXPECT_EQ(UIControl::Capture(), nullptr);
  EXPECT_EQ(owner->kept.get(), open);
  EXPECT_EQ(Names(root), (Lines{"owner", "other"}));
  EXPECT_EQ(Journal(),
            (Lines{"list:enter", "list:down 50,10", "owner:down 5,5", "list:leave", "root:down 50,350"}));
}

// A listener hears of the loss while the focus is still held, and may move it.
TEST(UIControlFocus, HidingAnAncestorOrClickingElsewhereTakesTheFocus) {
  struct Mover : Recorder {
    UIControl* next = nullptr;
    void OnEvent(int code, UIControl* sender) override {
      Recorder::OnEvent(code, sender);
      if (code != ui_event::kFocusLost) return;
      EXPECT_EQ(UIControl::Focused(), sender);
      if (next) next->SetFocus();
    }
  } events;
  Probe root("root", {0, 0, 1000, 625});
  Probe* panel = Add(root, "panel", YRect{0, 0, 500, 500});
  Probe* edit = Add(*panel, "edit", YRect{0, 0, 100, 20}, &events);
  edit->SetFocus();
  edit->SetFocus();  // already focused: no second code 2
  panel->Hide();
  edit->SetFocus();
  root.MouseDown(0, 900, 600);
  EXPECT_EQ(events.events, (Events{{2, edit}, {3, edit}, {2, edit}, {3, edit}}));
  edit->SetFocus();
  panel->Show();
  events.next = panel;
  root.SetFocus();
  EXPECT_EQ(UIControl::Focused(), &root);
}

TEST(UIControlEvents, NotifyFallsBackToParentRootAndScreenListeners) {
  for (int first = 0; first <= 4; ++first) {  // listeners before `first` are missing
    Recorder at[4];                           // own, parent, root default, screen
    UIRoot root(1000, 625, nullptr);
    Probe screen("screen", {}, first <= 3 ? &at[3] : nullptr);
    root.SetScreen(&screen);
    root.Update(0.4f);
    root.SetDefaultListener(first <= 2 ? &at[2] : nullptr);
    Probe* parent = Add(screen, "parent", YRect{}, first <= 1 ? &at[1] : nullptr);
    Add(*parent, "control", YRect{}, first == 0 ? &at[0] : nullptr)->Notify(ui_event::kClick);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(at[i].events.size(), i == first ? 1u : 0u) << first << " " << i;
  }
  Probe("orphan").Notify(ui_event::kClick);  // no root: nothing
}

TEST(UIControlDrawing, WorldMatrixIsTheRunningTranslationThenTheGivenMatrix) {
  RecordingRender render;
  Probe root("root", {10, 20, 500, 500});
  Add(root, "child", YRect{5, 5, 10, 10});
  YMatrix4 scale;
  scale.SetScaling(YVector3(2, 2, 1));
  root.Render(scale);
  std::vector<float> moves;  // the translation x, y of each world matrix
  for (const auto* call : render.CallsMatching("SetWorldTransform"))
    moves.insert(moves.end(), call->floats.begin() + 12, call->floats.begin() + 14);
  EXPECT_EQ(moves, (std::vector<float>{20, 40, 30, 50, 20, 40, 0, 0}));
}

TEST(UIControlLifetime, DestroyedControlsLeaveNoDanglingPointers) {
  for (const std::string doomed : {"panel", "edit", "list", "owner"}) {
    Probe root("root", {0, 0, 1000, 625});
    Add(*Add(root, "panel", YRect{0, 0, 500, 500}), "edit", YRect{0, 0, 100, 20})->SetFocus();
    Probe* owner = Add(root, "owner", YRect{600, 0, 100, 30});
    root.SetCapture(std::make_unique<Probe>("list", YRect{600, 30, 100, 200}), owner);
    UIControl* victim = root.FindControl(doomed);
    victim->Parent()->RemoveChild(victim).reset();
    EXPECT_EQ(!UIControl::Focused(), doomed == "panel" || doomed == "edit") << doomed;
    EXPECT_EQ(!UIControl::Capture(), doomed == "list") << doomed;
    EXPECT_EQ(!UIControl::CaptureOwner(), doomed == "owner") << doomed;
    root.MouseDown(0, 900, 600);  // closes the capture, takes the focus
  }
  EXPECT_TRUE(!UIControl::Focused() && !UIControl::Capture() && !UIControl::CaptureOwner());
}

}  // namespace
