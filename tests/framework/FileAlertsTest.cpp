// A needed file that failed is named once, all of a moment's in one system
// box (stderr without a display).
#include "framework/FileAlerts.h"

#include <gtest/gtest.h>

#include "framework/Log.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(FileAlerts, NeededFilesAreNamedOnceEachInOneBoxOnStderrWithoutADisplay) {
  FileAlerts::Reset();
  testing_support::ScopedTempDir dir;
  Log::Open(dir.Str() + "\\log.txt");  // the log the box names, whichever an earlier test opened
  testing_support::ScopedEnv noDisplay("DISPLAY", std::nullopt);
  testing_support::ScopedEnv noWayland("WAYLAND_DISPLAY", std::nullopt);
  FileAlerts::NeededFileFailed("ui\\english\\mainMenu.yml");
  FileAlerts::NeededFileFailed("desks\\base.dsk");
  FileAlerts::NeededFileFailed("ui\\english\\mainMenu.yml");
  testing::internal::CaptureStderr();
  FileAlerts::ShowFailedFiles();
  FileAlerts::ShowFailedFiles();  // nothing new
  FileAlerts::NeededFileFailed("desks\\base.dsk");  // told already
  FileAlerts::ShowFailedFiles();
  FileAlerts::NeededFileFailed("mesh\\piece.mes");
  FileAlerts::ShowFailedFiles();
  Log::Close();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "ERROR: These files of the game cannot be read:\nui/english/mainMenu.yml\ndesks/base.dsk\n"
            "The game may not show or play as it should. See log.txt in the user folder for more.\n"
            "ERROR: This file of the game cannot be read:\nmesh/piece.mes\n"
            "The game may not show or play as it should. See log.txt in the user folder for more.\n");
}

// A copy beside another keeps its own log, and the box sends the player there.
TEST(FileAlerts, TheBoxNamesTheLogThisCopyWrites) {
  FileAlerts::Reset();
  testing_support::ScopedTempDir dir;
  testing_support::ScopedEnv noDisplay("DISPLAY", std::nullopt);
  testing_support::ScopedEnv noWayland("WAYLAND_DISPLAY", std::nullopt);
  Log::Open(dir.Str() + "\\log2.txt");
  FileAlerts::NeededFileFailed("desks\\base.dsk");
  testing::internal::CaptureStderr();
  FileAlerts::ShowFailedFiles();
  Log::Close();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("See log2.txt in the user folder"),
            std::string::npos);
}

}  // namespace
