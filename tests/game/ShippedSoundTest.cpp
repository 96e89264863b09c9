// The shipped sound effects and music: every file the sound file names is in
// the program folder in a form the sound loader takes, and the music folder
// holds the nine tracks in the order the game selects them by.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "framework/XMLParser.h"
#include "platform/Paths.h"

namespace {

namespace fs = std::filesystem;

// Collects each sound's files (the path on the tag, then nested files).
class SoundFiles : public XMLParser {
 public:
  SoundFiles() {
    AddTag(MakeTag("sound", {{"name", ""}, {"path", ""}}));
    AddTag(MakeTag("file", {{"path", ""}}));
  }
  std::map<std::string, std::vector<std::string>> files;
  std::vector<std::string> errors;

 protected:
  void OnTagOpen(int tagId) override {
    if (tagId == 0) current_ = &files[GetAttr(0, 0).value];
    const std::string& path = GetAttr(tagId, tagId == 0 ? 1 : 0).value;
    if (current_ != nullptr && !path.empty()) current_->push_back(path);
  }
  void OnTagClose(int tagId) override {
    if (tagId == 0) current_ = nullptr;
  }
  bool OnError(const std::string& message) override {
    errors.push_back(message + " at line " + std::to_string(LineNumber()));
    return true;
  }

 private:
  std::vector<std::string>* current_ = nullptr;
};

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8U | b.at(at + static_cast<std::size_t>(i));
  return v;
}

bool HasTag(const std::vector<std::uint8_t>& b, std::size_t at, const char* tag) {
  return b.size() >= at + 4 && std::equal(tag, tag + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

// What the loader needs: RIFF/WAVE, the format chunk first with at least
// the 18-byte record, PCM, then a non-empty data chunk inside the file.
// Effects are played at positions, so they are mono 16-bit.
::testing::AssertionResult IsMonoPcmWav(const std::vector<std::uint8_t>& b) {
  if (b.size() < 46 || !HasTag(b, 0, "RIFF") || !HasTag(b, 8, "WAVE") || !HasTag(b, 12, "fmt "))
    return ::testing::AssertionFailure() << "no RIFF/WAVE header with the format chunk first";
  const std::uint32_t formatSize = Le(b, 16, 4);
  if (formatSize < 18 || Le(b, 20, 2) != 1 || Le(b, 22, 2) != 1 || Le(b, 32, 2) != 2 || Le(b, 34, 2) != 16)
    return ::testing::AssertionFailure() << "not a full mono 16-bit PCM format record";
  std::size_t at = 20 + formatSize + formatSize % 2;
  while (at + 8 <= b.size() && !HasTag(b, at, "data")) at += 8 + Le(b, at + 4, 4) + Le(b, at + 4, 4) % 2;
  if (at + 8 > b.size()) return ::testing::AssertionFailure() << "no data chunk";
  const std::uint32_t size = Le(b, at + 4, 4);
  if (size == 0 || size % 2 != 0 || at + 8 + size > b.size())
    return ::testing::AssertionFailure() << "bad data chunk of " << size << " bytes";
  return ::testing::AssertionSuccess();
}

TEST(ShippedSound, EverySoundTheGameLooksUpHasLoadableFiles) {
  SoundFiles reader;
  reader.ParseFile(std::string(QV_GAME_DIR) + "/data/sound_fx.yml");
  EXPECT_TRUE(reader.errors.empty()) << reader.errors.front();
  for (const char* name : {"tuc", "tuc2", "walk", "fly", "teleport", "clock", "shuffle", "s_skip", "s_spell",
                           "s_reflex", "combat", "laugh", "sell", "buy"})
    EXPECT_FALSE(reader.files[name].empty()) << name;
  EXPECT_EQ(reader.files["walk"].size(), 3U);
  for (const auto& [name, paths] : reader.files) {
    for (const std::string& path : paths) {
      const std::vector<std::uint8_t> bytes = ReadBytes(fs::path(QV_GAME_DIR) / platform::MapPath(path));
      if (path.ends_with(".ogg"))
        EXPECT_TRUE(HasTag(bytes, 0, "OggS")) << name << ": " << path;
      else
        EXPECT_TRUE(IsMonoPcmWav(bytes)) << name << ": " << path;
    }
  }
}

// Nine Ogg Vorbis tracks, their names sorting into the playlist order, all in
// one sample format (a music stream keeps the format of its first track).
TEST(ShippedMusic, NineTracksInOrderAndOneFormat) {
  std::vector<fs::path> tracks;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(QV_GAME_DIR) / "music"))
    if (entry.path().extension() == ".ogg") tracks.push_back(entry.path());
  std::sort(tracks.begin(), tracks.end());
  ASSERT_EQ(tracks.size(), 9U);
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    const std::vector<std::uint8_t> b = ReadBytes(tracks[i]);
    const std::string index{'0', static_cast<char>('0' + i)};
    EXPECT_EQ(tracks[i].filename().string().substr(0, 2), index);
    ASSERT_TRUE(b.size() > 64 && HasTag(b, 0, "OggS")) << tracks[i];
    const std::size_t packet = 27 + b[26];  // after the page header and its segment table
    EXPECT_EQ(b.at(packet), 1) << tracks[i] << " does not open with the Vorbis identification";
    EXPECT_EQ(b.at(packet + 11), 2) << tracks[i] << " channels";
    EXPECT_EQ(Le(b, packet + 12, 4), 44100U) << tracks[i] << " rate";
  }
}

}  // namespace
