// Telling a size the user dragged from one the program or the desktop made.
#include "platform/ClientSizeTracker.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(ClientSizeTracker, OnlyUserDragsAreNegotiatedWithTheDraggedEdge) {
  ClientSizeTracker tracker;
  tracker.Reset(800, 500);
  EXPECT_EQ(tracker.Changed(900, 500, true), EdgeRight);
  EXPECT_EQ(tracker.Changed(900, 560, true), EdgeBottom);
  EXPECT_EQ(tracker.Changed(1000, 700, true), EdgeBottomRight);
  // Maximised or full-screen changes are not, but the size is known afterwards.
  EXPECT_FALSE(tracker.Changed(1280, 1000, false).has_value());
  EXPECT_EQ(tracker.Changed(800, 1000, true), EdgeRight);
  tracker.Requested(960, 600);
  EXPECT_EQ(tracker.Changed(900, 1000, true), EdgeRight);  // another size meanwhile is still a drag
  EXPECT_FALSE(tracker.Changed(960, 600, true).has_value());
  EXPECT_FALSE(tracker.Changed(960, 600, true).has_value());  // reported twice
  // The request is used up: the same size dragged later is a drag again.
  EXPECT_EQ(tracker.Changed(800, 600, true), EdgeRight);
  EXPECT_EQ(tracker.Changed(960, 600, true), EdgeRight);
}

}  // namespace
}  // namespace platform
