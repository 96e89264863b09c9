// The configuration: the schema of "config.yml" with its built-in defaults,
// the per-user folder (seeded from the program folder on the first run), the
// typed settings the renderer, sound, console and application object read and
// change, and their safe write-back when the program quits.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "framework/FolderList.h"
#include "framework/DataFileReader.h"
#include "framework/YColor.h"

class Init : public DataFileReader {
 public:
  // Turns the configured display-mode text into the text of an available mode
  // (the renderer installs it; the default keeps the text as it is).
  using DisplayModeResolver = std::function<std::string(const std::string& modeText)>;
  // Receives each "splash" entry of a parsed file (the splash screens install
  // it; by default the entries are checked and dropped).
  using SplashSink = std::function<void(const std::string& shader, const std::string& bgShader,
                                        const YColor& color, float width, float height)>;

  // Declares the schema, lists the interface folders "ui\*" of the current
  // folder and takes the user data parent from the environment. Reads no file.
  Init();
  Init(const Init&) = delete;
  Init& operator=(const Init&) = delete;

  // The user folder as a data name with a trailing "\" (appData +
  // "\QuennelVarrick\"); names such as "save\" and "log.txt" are appended.
  std::string UserPath() const;

  // The user's configuration file in the user folder.
  static constexpr const char* kFileName = "config.yml";

  // When the user's configuration `fileName` is missing (a first run), makes
  // the user folder and its "save" and "players" folders and copies the
  // program's own "players" and "save" files in, keeping files already
  // there. Only a start sure that no other copy of the game runs may call
  // it: beside another copy, which writes its configuration only when it
  // ends, it would bring back files the player deleted there, and its
  // copying would meet that copy's writes.
  void SeedOnFirstRun(std::string_view fileName);
  // Reads the user's configuration `fileName` ("config.yml") from the user
  // folder into the typed fields. A missing or unreadable file leaves every
  // setting at its default; one that is there but cannot be read (no
  // permission, a named pipe) is logged, and SaveFile will leave it alone.
  // A pipe never stalls the read.
  void Load(std::string_view fileName);
  // Parses another file against the same schema ("splash\config.yml",
  // relative to the current folder) for its splash entries; the typed fields
  // are not touched.
  void LoadFile(std::string_view fileName);
  // Writes the typed fields to configPath: every section but "splash", every
  // attribute, to configPath + ".tmp", then moved over the real file. False
  // when nothing was written or the move failed; the old file is then
  // untouched, and the failure, with the real path and the system's reason,
  // is logged and written to stderr. A file Load found but could not read is
  // not written (the player's settings in it are kept), with a log line.
  // Call after Load.
  bool SaveFile();

  // "RRGGBB" or "RRGGBBAA" in hexadecimal as a colour (an unreadable pair
  // counts as 0; alpha 1 without the last pair). Throws XMLParseError
  // "Error color format." for a text shorter than six characters.
  static YColor ParseColor(std::string_view text);
  // The chosen interface folder as a data name ("ui\english"); empty when the
  // program has no interface folder.
  std::string GetInterfaceName() const;

  void SetDisplayModeResolver(DisplayModeResolver resolver);
  void SetSplashSink(SplashSink sink);

  // The settings, read and changed on the main thread only.
  std::string configPath;  // the file SaveFile writes
  std::string appData;     // the parent of the user folder
  FolderList interfaces;   // one folder per interface language
  bool fullscreen = true;
  bool maximized = false;
  bool fps = false;      // show the frames-per-second text
  bool shadows = true;   // draw shadow volumes
  std::string videoMode;
  std::int32_t windowWidth = 800;  // the windowed client size
  std::int32_t windowHeight = 600;
  std::int32_t stopTime = 0;  // ms to sleep after each frame; set by the console only
  // The volumes (0 to 1) are the sound's own: the sound threads read them,
  // the console and the options screen change them (through the sound's
  // SetEffectsVolume and SetMusicVolume, which apply them at once).
  static constexpr float kDefaultSoundVolume = 1.0f;
  static constexpr float kDefaultMusicVolume = 0.8f;
  std::atomic<float> soundVolume{kDefaultSoundVolume};
  std::atomic<float> musicVolume{kDefaultMusicVolume};
  std::int32_t interfaceIndex = 0;  // into interfaces

 protected:
  void OnTagOpen(int tagId) override;

 private:
  void SeedUserFolder(const std::string& folder);
  void ReadSettings();
  void StoreSettings();
  bool WriteConfig(const std::string& path) const;
  static void ReportSaveFailure(const std::string& reason);

  DisplayModeResolver resolveMode_;
  SplashSink addSplash_;
  std::string language_;  // as read, kept when no interface folder matches
  bool unreadable_ = false;  // Load found the file but could not read it
};

// Divides the size of every texture loaded (render / texScale); at least 1.
// Main thread only.
extern std::int32_t g_textureScale;

// The process's configuration. Built on first use, from the current folder
// and the environment at that moment.
Init& GetInit();
