// Message boxes: the test handler, and standard error where nobody can click.
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace platform {
namespace {

TEST(MessageBox, AHandlerReceivesEveryBox) {
  struct Shown {
    std::string text, caption;
    MessageBoxIcon icon;
  };
  std::vector<Shown> shown;
  SetMessageBoxHandler([&](std::string_view text, std::string_view caption, MessageBoxIcon icon) {
    shown.push_back({std::string(text), std::string(caption), icon});
  });
  ShowMessageBox("Window Creation Error.", "ERROR", MessageBoxIcon::Exclamation);
  SetMessageBoxHandler({});
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Window Creation Error.");
  EXPECT_EQ(shown[0].caption, "ERROR");
  EXPECT_EQ(shown[0].icon, MessageBoxIcon::Exclamation);
}

TEST(MessageBox, WithoutADisplayTheTextGoesToStandardError) {
  testing_support::ScopedEnv noX("DISPLAY", std::nullopt);
  testing_support::ScopedEnv noWayland("WAYLAND_DISPLAY", std::nullopt);
  testing::internal::CaptureStderr();
  ShowMessageBox("Caf\xE9 closed.", "SHUTDOWN ERROR", MessageBoxIcon::Information);
  // Windows-1252 text is shown as UTF-8.
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "SHUTDOWN ERROR: Caf\xC3\xA9 closed.\n");
}

TEST(MessageBox, TheStderrSwitchWinsOverADisplay) {
  testing_support::ScopedEnv display("DISPLAY", ":12345");
  testing_support::ScopedEnv toStderr("QV_MESSAGEBOX_STDERR", "1");
  testing::internal::CaptureStderr();
  ShowMessageBox("text", "caption", MessageBoxIcon::Error);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "caption: text\n");
}

}  // namespace
}  // namespace platform
