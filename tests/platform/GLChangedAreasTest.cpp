// What the device may show by copying parts of the back buffer: only
// frames that changed scissored parts over the kept picture the window
// already shows, with the parts the last frame changed, and what the back
// buffer holds afterwards.
#include "platform/GLChangedAreas.h"

#include <gtest/gtest.h>

namespace {

using platform::GLChangedAreas;
using platform::PixelRect;

constexpr PixelRect kBlast{100, 200, 50, 40};
constexpr PixelRect kCursor{10, 20, 8, 8};
constexpr PixelRect kCursorMoved{30, 20, 8, 8};

// A frame over kept picture 7 drawing inside `first` and `second`.
void DrawFrame(GLChangedAreas& areas, const PixelRect& first, const PixelRect& second) {
  areas.StillPut(7);
  areas.Drew(true, first);
  areas.Drew(true, second);
  areas.Drew(true, first);
}

TEST(GLChangedAreas, AFrameOverTheShownPictureCopiesWhatItAndTheLastChanged) {
  GLChangedAreas areas;
  DrawFrame(areas, kBlast, kCursor);
  EXPECT_TRUE(areas.ToCopy().empty()) << "the window shows nothing known yet";
  areas.Shown(false);
  EXPECT_FALSE(areas.BackHolds(7)) << "a swap leaves the back buffer undefined";

  DrawFrame(areas, kBlast, kCursorMoved);
  EXPECT_EQ(areas.ToCopy(), (std::vector<PixelRect>{kBlast, kCursorMoved, kCursor}));
  areas.Shown(true);
  EXPECT_TRUE(areas.BackHolds(7));
  EXPECT_FALSE(areas.BackHolds(8));
  EXPECT_EQ(areas.Stale(), (std::vector<PixelRect>{kBlast, kCursorMoved}));

  areas.Dropped();
  DrawFrame(areas, kBlast, kCursorMoved);
  EXPECT_EQ(areas.ToCopy(), (std::vector<PixelRect>{kBlast, kCursorMoved}));
}

TEST(GLChangedAreas, AFrameDrawnBeyondItsScissorsOrOverAnotherPictureIsSwappedWhole) {
  GLChangedAreas areas;
  DrawFrame(areas, kBlast, kCursor);
  areas.Shown(false);

  DrawFrame(areas, kBlast, kCursor);
  areas.Drew(false, kBlast);
  EXPECT_TRUE(areas.ToCopy().empty()) << "drew outside any scissor";
  areas.Shown(false);
  DrawFrame(areas, kBlast, kCursor);
  EXPECT_TRUE(areas.ToCopy().empty()) << "the window shows what the last frame drew anywhere";
  areas.Shown(false);

  areas.StillPut(8);
  areas.Drew(true, kBlast);
  EXPECT_TRUE(areas.ToCopy().empty()) << "another kept picture";
  areas.Shown(false);

  areas.Drew(true, kCursor);
  areas.StillPut(8);
  areas.Drew(true, kBlast);
  EXPECT_EQ(areas.ToCopy(), std::vector<PixelRect>{kBlast}) << "the still layer covers what came before it";
  areas.Shown(true);
  EXPECT_TRUE(areas.BackHolds(8));
  areas.Drew(true, kBlast);
  EXPECT_FALSE(areas.BackHolds(8)) << "drawn on since";
  EXPECT_TRUE(areas.ToCopy().empty()) << "no still layer";
}

TEST(GLChangedAreas, AForgottenWindowIsSwappedWholeAndRestoredWhole) {
  GLChangedAreas areas;
  DrawFrame(areas, kBlast, kCursor);
  areas.Shown(false);
  DrawFrame(areas, kBlast, kCursor);
  areas.Shown(true);
  areas.Forget();
  EXPECT_FALSE(areas.BackHolds(7));
  DrawFrame(areas, kBlast, kCursor);
  EXPECT_TRUE(areas.ToCopy().empty());
}

// A new size forgets what the back buffer and the window held before the
// frame goes onto the back buffer, and copies nothing until a frame has
// been swapped at it: the driver's buffer may keep the old size till then.
TEST(GLChangedAreas, ANewSizeRestoresAndShowsWholeUntilAFrameIsSwappedAtIt) {
  GLChangedAreas areas;
  const auto frame = [&](int width, int height) {
    areas.Sized(width, height);
    const bool backHeld = areas.BackHolds(7);
    DrawFrame(areas, kBlast, kCursor);
    return backHeld;
  };
  frame(800, 500);
  areas.Shown(false);
  frame(800, 500);
  areas.Shown(true);
  EXPECT_TRUE(frame(800, 500)) << "the same size keeps the back buffer";
  areas.Shown(true);

  EXPECT_FALSE(frame(640, 400)) << "the back buffer took the new size";
  EXPECT_TRUE(areas.ToCopy().empty());
  areas.Shown(false);
  frame(640, 400);
  EXPECT_EQ(areas.ToCopy(), (std::vector<PixelRect>{kBlast, kCursor}));
  areas.Shown(true);

  areas.Sized(800, 500);
  EXPECT_FALSE(areas.BackHolds(7));
  areas.StillDrawn(7, {0, 0, 800, 500});
  EXPECT_TRUE(areas.ToCopy().empty()) << "a layer drawn whole is swapped, not copied, at a new size";
}

}  // namespace
