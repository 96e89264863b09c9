// The program's command line: the broadcast address a game under test
// keeps its network search on.
#include "game/ProgramStart.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramStart, TheBroadcastOptionNamesTheAddressAfterIt) {
  EXPECT_EQ(BroadcastOption("-broadcast 127.255.255.255"), "127.255.255.255");
  EXPECT_EQ(BroadcastOption("-2 -broadcast 127.0.0.255 -x"), "127.0.0.255");
  EXPECT_EQ(BroadcastOption("-2"), "");
  EXPECT_EQ(BroadcastOption("x-broadcast 127.255.255.255"), "");
}

}  // namespace
