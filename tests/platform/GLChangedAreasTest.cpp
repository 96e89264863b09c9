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

}  // namespace
