// The options screen: fills its language and resolution lists and its two
// volume trackers from the configuration, and reads back what the player
// changed. A new resolution or language is only remembered here; the
// application carries it out at its frame's boundary (RunPending), because
// the click that asks for it comes from a screen that the language change
// deletes and the window must not be re-created inside a click. Main
// thread only.
#pragma once

#include <functional>
#include <optional>
#include <string>

class DisplayModeList;
class Init;
class UIControl;

class OptionsScreen {
 public:
  // What the application does with a change, at the frame's boundary.
  struct Actions {
    // Re-creates the window in `videoMode` ("WxH:32").
    std::function<void(const std::string& videoMode)> setVideoMode;
    // Makes interface folder `language` current and reloads every screen.
    std::function<void(int language)> setLanguage;
  };

  explicit OptionsScreen(Actions actions);

  // "language": the locale's name of each interface folder, the current one
  // selected; "resolution": each distinct size of the display's modes as
  // "WxH", the configuration's selected (none when it is not listed);
  // "sound_vol" and "music_vol": the two volumes. A missing control is
  // skipped.
  static void Fill(UIControl* screen, const Init& config, const DisplayModeList& modes);
  // Remembers the resolution when its text + ":32" differs from as many
  // leading characters of the configuration's video mode (nothing when no
  // item is selected), and the language when its index differs from the
  // configuration's.
  void Apply(const UIControl* screen, const Init& config);
  // Whether Apply left something for RunPending.
  bool Pending() const { return videoMode_.has_value() || language_.has_value(); }
  // Carries out what Apply remembered, each change once: the resolution,
  // then the language.
  void RunPending();

 private:
  Actions actions_;
  std::optional<std::string> videoMode_;
  std::optional<int> language_;
};
