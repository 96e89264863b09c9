// Message boxes go to standard error where nobody can click.
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace platform {
namespace {

using testing_support::ScopedEnv;

TEST(MessageBox, WithoutADisplayTheTextGoesToStandardErrorAsUtf8) {
  ScopedEnv noX("DISPLAY", std::nullopt), noWayland("WAYLAND_DISPLAY", std::nullopt);
  testing::internal::CaptureStderr();
  ShowMessageBox("Caf\xE9 closed.", "SHUTDOWN ERROR", MessageBoxIcon::Information);  // Windows-1252
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "SHUTDOWN ERROR: Caf\xC3\xA9 closed.\n");
}

}  // namespace
}  // namespace platform
