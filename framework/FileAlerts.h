// File troubles the player must hear of, gathered where they happen (any
// loader, any saver, any thread) and taken by the game at a safe moment on
// the main thread to be shown: a data file the game needs that cannot be
// read or is damaged, and a file of the player's own that was not written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class FileAlerts {
 public:
  // The player's files whose failed write is told on screen; the last is a
  // hall of fame found damaged, moved aside rather than written over.
  enum class Unsaved { kQuest, kProfile, kHallOfFame, kDamagedHallOfFame };

  // A data file the game needs (`fileName` as the loader named it) could not
  // be read, or only in part; the loader has logged the details. Each file
  // is handed out once for the whole run. Any thread.
  static void NeededFileFailed(std::string_view fileName);
  // A file of the player's could not be written (the old one stays whole).
  // A kind already waiting is not queued again. The automatic saves (the
  // quest, the hall of fame), once told, are not told again until one of
  // their kind is written: a full disk is told once, not at every save. A
  // profile is written only when the player creates or edits one, so each
  // of its failures is told. Any thread.
  static void SaveFailed(Unsaved what);
  // A file of that kind was written: its next failure is told again.
  static void SaveSucceeded(Unsaved what);

  // The needed files reported since the last call, in the order reported.
  static std::vector<std::string> TakeFailedFiles();
  // Takes the needed files reported since the last call and, when there are
  // any, names them all in one system message box (on stderr without a
  // display). The box waits for the player: call on the main thread, at a
  // moment nothing else is under way (the frame's boundary).
  static void ShowFailedFiles();
  // The oldest waiting unsaved kind, taken off the queue; false when none.
  static bool TakeFailedSave(Unsaved& what);
  // Forgets everything, also the files already handed out (tests).
  static void Reset();
};
