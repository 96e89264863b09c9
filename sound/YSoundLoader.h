// The reader of the sound file ("data\sound_fx.yml"): <sound name path>
// tags declare named sounds, each with its path and nested <file path>
// tags as variants. Errors are logged with the file and line and reading
// goes on; a file that fails to load is left out and reported to
// FileAlerts. Main thread only.
#pragma once

#include <string>
#include <string_view>

#include "framework/DataFileReader.h"

class SoundEntry;

class YSoundLoader : public DataFileReader {
 public:
  YSoundLoader();

  // Logs "Parse sounds from file, %s" and reads the file (a missing file
  // declares nothing).
  void Parse(std::string_view fileName);

 protected:
  void OnTagOpen(int tagId) override;
  void OnTagClose(int tagId) override;

 private:
  void AddFile(const std::string& path);

  SoundEntry* current_ = nullptr;  // the open <sound>, null when none
};

// Reads a sound file with a YSoundLoader; the entries stay.
void LoadSounds(std::string_view fileName);
