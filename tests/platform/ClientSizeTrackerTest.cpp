// Telling a size the user dragged from one the program or the desktop made.
#include "platform/ClientSizeTracker.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(ClientSizeTracker, UserDragsAreNegotiatedWithTheDraggedEdge) {
  ClientSizeTracker tracker;
  tracker.Reset(800, 500);
  EXPECT_EQ(tracker.Changed(900, 500, true), EdgeRight);
  EXPECT_EQ(tracker.Changed(900, 560, true), EdgeBottom);
  EXPECT_EQ(tracker.Changed(1000, 700, true), EdgeBottomRight);
  EXPECT_EQ(tracker.Width(), 1000);
  EXPECT_EQ(tracker.Height(), 700);
}

TEST(ClientSizeTracker, RequestedSizesAndRepeatsAreNotNegotiated) {
  ClientSizeTracker tracker;
  tracker.Reset(800, 500);
  tracker.Requested(960, 600);
  EXPECT_FALSE(tracker.Changed(960, 600, true).has_value());
  EXPECT_FALSE(tracker.Changed(960, 600, true).has_value());  // reported twice
  // The request is used up: the same size dragged later is a drag again.
  EXPECT_EQ(tracker.Changed(800, 600, true), EdgeRight);
  EXPECT_EQ(tracker.Changed(960, 600, true), EdgeRight);
}

TEST(ClientSizeTracker, AnotherSizeWhileARequestIsPendingIsStillADrag) {
  ClientSizeTracker tracker;
  tracker.Reset(800, 500);
  tracker.Requested(960, 600);
  EXPECT_EQ(tracker.Changed(900, 500, true), EdgeRight);
  EXPECT_FALSE(tracker.Changed(960, 600, true).has_value());
}

TEST(ClientSizeTracker, MaximisedOrFullScreenChangesAreNotNegotiated) {
  ClientSizeTracker tracker;
  tracker.Reset(800, 500);
  EXPECT_FALSE(tracker.Changed(1280, 1000, false).has_value());
  EXPECT_EQ(tracker.Width(), 1280);  // still the known size afterwards
  EXPECT_EQ(tracker.Changed(800, 500, true), EdgeBottomRight);
}

}  // namespace
}  // namespace platform
