// The frame recorder's choice for a frame's still layer: drawn where it
// goes while it changes, kept once it stayed the same for a frame,
// restored while it equals the kept picture (slow drawing aside while the
// picture is fresh), drawn again after anything the calls cannot tell;
// where the back buffer keeps it, drawn there and then again in parts.
#include "platform/GLFrameRecorder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using StillUse = platform::GLFrameRecorder::StillUse;

class StillChoice : public ::testing::Test {
 protected:
  void SetUp() override { recorder_.SetActive(true); }

  // A frame: a still layer drawing `still` (slow drawing `slow` inside
  // it), then `moving` and slow drawing `slowOver` over it. The still
  // layer's use as its calls ran, how many times when more than once, and
  // "calm" when the frame counted as calm.
  std::string Frame(int still, int slow, int moving, bool keptFresh = false, int slowOver = 0) {
    StillUse use = StillUse::Draw;
    int runs = 0;
    recorder_.SetStill(true);
    recorder_.Add(
        1,
        [&] {
          use = recorder_.Still();
          ++runs;
        },
        still);
    recorder_.SetSlow(true);
    recorder_.Add(
        2, [] {}, slow);
    recorder_.SetSlow(false);
    recorder_.SetStill(false);
    recorder_.Add(
        3, [] {}, moving);
    recorder_.SetSlow(true);
    recorder_.Add(
        4, [] {}, slowOver);
    recorder_.SetSlow(false);
    recorder_.DropIfUnchanged(0, false, keptFresh);
    const char* names[] = {"draw", "keep", "restore", "fresh", "redraw"};
    return std::string(names[static_cast<int>(use)]) + (runs > 1 ? " x" + std::to_string(runs) : "") +
           (recorder_.LastFrameCalm() ? " calm" : "");
  }

  platform::GLFrameRecorder recorder_;
};

TEST_F(StillChoice, AStillLayerIsKeptOnceItStaysTheSameAndRestoredWhileItEqualsThePicture) {
  EXPECT_EQ(Frame(1, 0, 0), "draw");
  EXPECT_EQ(Frame(1, 0, 1), "keep");
  EXPECT_EQ(Frame(1, 0, 2), "restore calm");
  EXPECT_EQ(Frame(1, 1, 3, true), "restore calm");  // slow drawing moved, the picture is fresh
  EXPECT_EQ(Frame(1, 2, 4, false), "keep");         // and now it is not
  EXPECT_EQ(Frame(2, 2, 5), "draw");
  EXPECT_EQ(Frame(3, 2, 6), "draw");
  EXPECT_EQ(Frame(3, 2, 7), "keep");
  recorder_.MarkChanged();
  EXPECT_EQ(Frame(3, 2, 8), "draw");
  EXPECT_EQ(Frame(3, 2, 9), "keep");
  recorder_.ForgetKept();
  EXPECT_EQ(Frame(3, 2, 10), "keep");
}

// A turning picture drawn over the layer, anew in every frame, leaves the
// kept picture as it is, however old.
TEST_F(StillChoice, SlowDrawingOverTheLayerLeavesItRestored) {
  EXPECT_EQ(Frame(1, 0, 0, false, 0), "draw");
  EXPECT_EQ(Frame(1, 0, 0, false, 1), "keep calm");
  EXPECT_EQ(Frame(1, 0, 0, false, 2), "restore calm");
  EXPECT_EQ(Frame(1, 0, 0, false, 3), "restore calm");
}

// A changed layer is drawn fresh; an unchanged one is drawn again in as
// many parts as the device asks while the back buffer holds it, else drawn
// fresh when it needed no depth, else kept.
TEST_F(StillChoice, WhereTheBackBufferIsKeptALayerIsDrawnThereAndAgainInParts) {
  recorder_.SetRedraw(true, true, 0);
  EXPECT_EQ(Frame(1, 0, 0), "fresh");
  recorder_.SetRedraw(true, true, 3);
  EXPECT_EQ(Frame(1, 0, 1), "redraw x3 calm");
  EXPECT_EQ(Frame(2, 0, 2), "fresh");
  recorder_.SetRedraw(true, true, 0);
  EXPECT_EQ(Frame(2, 0, 3), "fresh");
  recorder_.SetRedraw(true, false, 0);
  EXPECT_EQ(Frame(2, 0, 4), "keep");
}

}  // namespace
