#include "sound/YSoundLoader.h"

#include "framework/FileAlerts.h"
#include "framework/Log.h"
#include "sound/SoundEntry.h"
#include "sound/SoundError.h"

namespace {

enum TagId { kSound, kFile };
enum SoundAttr { kName, kPath };
constexpr int kFilePath = 0;

}  // namespace

YSoundLoader::YSoundLoader() : DataFileReader({"Sound init parser error, %s, file: %s, line: %d", true}) {
  AddTag(MakeTag("sound", {{"name", ""}, {"path", ""}}));
  AddTag(MakeTag("file", {{"path", ""}}));
}

void YSoundLoader::Parse(std::string_view fileName) {
  current_ = nullptr;
  Log::Printf("Parse sounds from file, %s", std::string(fileName).c_str());
  ParseDataFile(fileName);
}

void YSoundLoader::OnTagOpen(int tagId) {
  if (tagId == kSound) {
    current_ = GetSound(GetAttr(kSound, kName).value);
    const std::string& path = GetAttr(kSound, kPath).value;
    if (!path.empty()) AddFile(path);
  } else if (tagId == kFile) {
    if (!current_) {
      OnError("Tag <file> outside <sound>.");
      return;
    }
    AddFile(GetAttr(kFile, kFilePath).value);
  }
}

void YSoundLoader::OnTagClose(int tagId) {
  if (tagId != kSound) return;
  if (!current_) OnError("Expected <sound>.");
  current_ = nullptr;
}

// A sound file that cannot be loaded is logged with the line that names it
// and reported itself: the sounds file is not at fault.
void YSoundLoader::AddFile(const std::string& path) {
  try {
    current_->AddFile(path);
  } catch (const SoundError& error) {
    LogError(error.what());
    FileAlerts::NeededFileFailed(path);
  }
}

void LoadSounds(std::string_view fileName) {
  YSoundLoader loader;
  loader.Parse(fileName);
}
