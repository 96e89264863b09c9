// The notice that a file of the player's (the quest's save, a profile, the
// hall of fame) could not be written, or that the hall of fame was found
// damaged and kept aside: the message screen's own copy, opened
// over whatever the player sees once FileAlerts holds such a failure, and
// closed by its button whatever the state word says. Main thread only.
#pragma once

#include <cstdint>

class GameScreens;
class UIControl;
class UIRoot;

class FileNotice {
 public:
  // Both outlive this object.
  FileNotice(UIRoot& ui, GameScreens& screens);

  // Opens the oldest failure FileAlerts holds, unless a notice is open or
  // waiting to open, or the scene of `state` does not show the screens (the
  // splash, a book, the final scene). Call at the frame's boundary.
  void ShowWaiting(std::uint32_t state);
  // A click on `sender` while the notice is the active screen is the
  // notice's own: "ok" closes it, anything else is ignored. False when the
  // notice is not active (or `sender` is null).
  bool TakeClick(const UIControl* sender);

  // The locale keys of the texts, in the order of FileAlerts::Unsaved.
  static constexpr const char* kTextKeys[] = {"quest_not_saved_mess", "profile_not_saved_mess",
                                              "hall_not_saved_mess", "hall_damaged_mess"};

 private:
  bool IsOpen() const;

  UIRoot& ui_;
  GameScreens& screens_;
};
