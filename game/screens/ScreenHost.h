// What the screens' event handling asks of the application object beyond
// what the game modes ask of it: the game mode in play, the question box,
// the music, quitting and the screens other parts of the game build (the
// help book, the hall of fame, the options). The application object
// implements it; tests replace it with a recording host. Main thread only.
#pragma once

#include <string>

#include "modes/GameHost.h"

class BookPages;

class ScreenHost : public GameHost {
 public:
  // The game mode in play; null before the first game.
  virtual YGameMaster* GameMode() const = 0;
  // Opens the question box with `text` and its "yes" and "no".
  virtual void ShowYesNo(const std::string& text) = 0;
  // The music player's track `track`; `followUp` the track after it (-1:
  // the same one loops); `fade` the cross-fade in seconds.
  virtual void SelectMusic(int track, int followUp, float fade) = 0;
  // Saves the configuration and ends the message loop; the games were left
  // first (ScreenEvents::EndProgram).
  virtual void QuitGame() = 0;
  // The help book at its first page (`fromStart`) or at the page where it
  // was closed last.
  virtual void ShowHelp(bool fromStart) = 0;
  // The book's page lists, the help's section pages and the book itself,
  // for its page links and for the help's closing.
  virtual BookPages& Pages() = 0;
  // The introduction book for a new hero; false while the game has none,
  // and the quest then begins at once.
  virtual bool ShowIntro() = 0;
  // Lets go of the help and introduction pages, before the interface
  // folder is read again.
  virtual void FreePages() = 0;
  // The closing scene after the quest's last level.
  virtual void OpenFinalScene() = 0;
  // Fills the hall of fame and makes it the pending screen.
  virtual void ShowHallOfFame() = 0;
  // Fills the options screen from the configuration / applies its choices.
  virtual void FillOptions() = 0;
  virtual void ApplyOptions() = 0;
  // A volume tracker of the options moved: `value` becomes the
  // configuration's music (or effects) volume and is heard at once.
  virtual void SetOptionVolume(bool music, float value) = 0;
};
