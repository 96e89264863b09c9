#include "game/screens/OptionsScreen.h"
#include "game/screens/ScreenControls.h"

#include <string_view>
#include <utility>
#include <vector>

#include "framework/Init.h"
#include "framework/YLocale.h"
#include "render/DisplayMode.h"
#include "ui/UICombobox.h"
#include "ui/UIControl.h"
#include "ui/UITracker.h"

namespace {
// Full-screen modes are always asked for in 32-bit colour.
constexpr std::string_view kColourDepth = ":32";

std::string SizeText(const DisplayMode& mode) {
  return std::to_string(mode.width) + "x" + std::to_string(mode.height);
}

void FillLanguages(UICombobox& list, const Init& config) {
  list.Clear();
  for (const std::string& name : config.interfaces.GetDisplayNames()) list.AddItem(GetLocale().Lookup(name));
  list.SetCurrent(config.interfaceIndex);
}

// The configuration's mode is selected by its size; a size the display does
// not list selects nothing, so an untouched list changes nothing.
void FillResolutions(UICombobox& list, const Init& config, const DisplayModeList& modes) {
  list.Clear();
  const DisplayMode current = ParseDisplayMode(config.videoMode);
  int selected = -1;
  const std::vector<DisplayMode> sizes = BuildDisplayModeLists(modes, 0, 0, 0);
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    list.AddItem(SizeText(sizes[i]));
    if (sizes[i].width == current.width && sizes[i].height == current.height) selected = static_cast<int>(i);
  }
  list.SetCurrent(selected);
}
}  // namespace

OptionsScreen::OptionsScreen(Actions actions) : actions_(std::move(actions)) {}

void OptionsScreen::Fill(UIControl* screen, const Init& config, const DisplayModeList& modes) {
  if (auto* language = ChildOf<UICombobox>(screen, "language")) FillLanguages(*language, config);
  if (auto* resolution = ChildOf<UICombobox>(screen, "resolution"))
    FillResolutions(*resolution, config, modes);
  if (auto* sound = ChildOf<UITracker>(screen, "sound_vol")) sound->SetValue(config.soundVolume);
  if (auto* music = ChildOf<UITracker>(screen, "music_vol")) music->SetValue(config.musicVolume);
}

void OptionsScreen::Apply(const UIControl* screen, const Init& config) {
  const auto* resolution = ChildOf<UICombobox>(screen, "resolution");
  if (resolution != nullptr && resolution->GetCurrent() >= 0) {
    const std::string size = resolution->GetItemText(resolution->GetCurrent());
    const std::string mode = size + std::string(kColourDepth);
    if (!size.empty() && config.videoMode.compare(0, mode.size(), mode) != 0) videoMode_ = mode;
  }
  const auto* language = ChildOf<UICombobox>(screen, "language");
  if (language != nullptr && language->GetCurrent() >= 0 &&
      language->GetCurrent() < config.interfaces.Count() && language->GetCurrent() != config.interfaceIndex)
    language_ = language->GetCurrent();
}

void OptionsScreen::RunPending() {
  // Taken out first: each action may lead to another Apply.
  const std::optional<std::string> videoMode = std::exchange(videoMode_, std::nullopt);
  const std::optional<int> language = std::exchange(language_, std::nullopt);
  if (videoMode && actions_.setVideoMode) actions_.setVideoMode(*videoMode);
  if (language && actions_.setLanguage) actions_.setLanguage(*language);
}
