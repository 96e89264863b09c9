#include "framework/Init.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sstream>
#include <utility>

#include "framework/FileUtils.h"
#include "framework/Log.h"
#include "framework/OutFStream.h"
#include "framework/YFramework.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Window.h"

std::int32_t g_textureScale = 1;

namespace {

// Tag ids in declaration order, and attribute positions within each tag.
enum ConfigTag : int { kConfig = 0, kVideo, kWindow, kSound, kRender, kSplash, kInterface };
enum VideoAttr : int { kFullscreen = 0, kMode };
enum WindowAttr : int { kWidth = 0, kHeight, kMaximize };
enum SoundAttr : int { kVolume = 0, kMusic };
enum RenderAttr : int { kFps = 0, kShadows, kTexScale };
enum SplashAttr : int { kShader = 0, kBgShader, kBgColor, kSplashWidth, kSplashHeight };
enum InterfaceAttr : int { kLanguage = 0 };

constexpr const char* kUserFolderName = "\\QuennelVarrick";
constexpr float kByteToUnit = 0.003921569f;  // 1 / 255
constexpr std::int32_t kDefaultWidth = 800;
constexpr std::int32_t kDefaultHeight = 600;
// Beyond this the textures are too coarse to read.
constexpr std::int32_t kLargestTextureScale = 4;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The leading hexadecimal digits of the pair at `at`; 0 when there are none.
int HexPair(std::string_view text, std::size_t at) {
  int value = 0;
  for (std::size_t i = at; i < at + 2; ++i) {
    const int digit = HexDigit(text[i]);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return value;
}

// A setting not taken as it stands (a file edited by hand) is logged with
// the text the file held, cut to a readable length, why, and the value used.
void LogSettingNotTaken(const XMLParser::Tag& tag, int attr, const char* why, double used) {
  const XMLParser::Attr& setting = tag.attrs.at(static_cast<std::size_t>(attr));
  Log::Printf("config.yml: %s %s=\"%s\" %s; %g is used", tag.name.c_str(), setting.name.c_str(),
              setting.value.substr(0, 32).c_str(), why, used);
}

// The number of a setting's whole text (blanks around it aside), read by
// `read` (strtol or strtof); nothing when the text is no number.
template <typename Number, typename Read>
std::optional<Number> NumberOf(const std::string& text, Read read) {
  const char* begin = text.c_str();
  char* end = nullptr;
  const auto value = read(begin, &end);
  if (end == begin) return std::nullopt;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0') return std::nullopt;
  return static_cast<Number>(value);
}

// An integer setting held to [low, high]; no number keeps `fallback`.
std::int32_t HeldInt(const XMLParser::Tag& tag, int attr, std::int32_t low, std::int32_t high,
                     std::int32_t fallback) {
  const std::string& text = tag.attrs.at(static_cast<std::size_t>(attr)).value;
  const std::optional<long> value =
      NumberOf<long>(text, [](const char* from, char** end) { return std::strtol(from, end, 10); });
  if (!value) {
    LogSettingNotTaken(tag, attr, "is not a number", fallback);
    return fallback;
  }
  const auto held = static_cast<std::int32_t>(std::clamp<long>(*value, low, high));
  if (held != *value) LogSettingNotTaken(tag, attr, "is out of range", held);
  return held;
}

// A switch: 0 or 1.
bool HeldSwitch(const XMLParser::Tag& tag, int attr, bool fallback) {
  return HeldInt(tag, attr, 0, 1, fallback ? 1 : 0) != 0;
}

// Volumes outside 0..1 would make the sound louder than full scale; no
// number (nan too) keeps `fallback`.
float HeldVolume(const XMLParser::Tag& tag, int attr, float fallback) {
  const std::string& text = tag.attrs.at(static_cast<std::size_t>(attr)).value;
  const std::optional<float> value =
      NumberOf<float>(text, [](const char* from, char** end) { return std::strtof(from, end); });
  if (!value || std::isnan(*value)) {
    LogSettingNotTaken(tag, attr, "is not a number", fallback);
    return fallback;
  }
  const float held = std::clamp(*value, 0.0f, 1.0f);
  if (held != *value) LogSettingNotTaken(tag, attr, "is out of range", held);
  return held;
}

// The system's words for a failed call; errno is read by the caller at once.
std::string SystemReason(int error) {
  return error != 0 ? std::strerror(error) : "unknown error";
}

}  // namespace

Init::Init()
    : DataFileReader({"Init parser error, %s, file: config.yml, line: %d", false}),
      appData(platform::UserDataParent()),
      interfaces("ui\\*"),
      resolveMode_([](const std::string& mode) { return mode; }) {
  SetWriteAll(true);
  AddTag(MakeTag("config"));
  AddTag(MakeTag("video", {{"fullscreen", "1"}, {"mode", ""}}));
  AddTag(MakeTag("window", {{"width", "800"}, {"height", "600"}, {"maximize", "0"}}));
  AddTag(MakeTag("sound", {{"volume", "1"}, {"music", "0.8"}}));
  AddTag(MakeTag("render", {{"fps", "0"}, {"shadows", "1"}, {"texScale", "1"}}));
  AddTag(MakeTag("splash", {{"shader", ""},
                            {"bgshader", ""},
                            {"bgcolor", "000000"},
                            {"width", "500"},
                            {"height", "500"}}));
  AddTag(MakeTag("interface", {{"language", "english"}}));
}

std::string Init::UserPath() const { return appData + kUserFolderName + "\\"; }

void Init::SeedOnFirstRun(std::string_view fileName) {
  if (!PathExists(UserPath() + std::string(fileName), false)) SeedUserFolder(appData + kUserFolderName);
}

void Init::Load(std::string_view fileName) {
  configPath = UserPath() + std::string(fileName);
  const bool firstRun = !PathExists(configPath, false);
  std::optional<std::string> text = platform::ReadTextFile(configPath);
  // There but unreadable (no permission, not a regular file): the game runs
  // on the defaults and leaves the player's file as it is.
  unreadable_ = !text && !firstRun;
  if (unreadable_) Log::Printf("Cannot read data file %s", platform::MapPath(configPath).c_str());
  // An empty text still resets every attribute to its default.
  std::istringstream in(text.value_or(std::string()));
  ParseNamedStream(in, configPath);
  ReadSettings();
}

void Init::LoadFile(std::string_view fileName) { ParseDataFile(fileName); }

bool Init::SaveFile() {
  if (configPath.empty()) {
    ReportSaveFailure("no configuration was loaded");
    return false;
  }
  if (unreadable_) {
    Log::Printf("Configuration not saved: %s could not be read, so it is left as it is",
                platform::MapPath(configPath).c_str());
    return false;
  }
  StoreSettings();
  const std::string temp = configPath + ".tmp";
  errno = 0;
  if (!WriteConfig(temp)) {
    const int error = errno;
    ReportSaveFailure("cannot write " + platform::MapPath(temp) + ": " + SystemReason(error));
    platform::RemoveFile(temp);
    return false;
  }
  errno = 0;
  if (!ReplaceFile(temp, configPath)) {
    const int error = errno;
    ReportSaveFailure("cannot replace " + platform::MapPath(configPath) + ": " + SystemReason(error));
    platform::RemoveFile(temp);
    return false;
  }
  return true;
}

// The settings are lost when the program ends, so the player hears of it
// even without looking into the log.
void Init::ReportSaveFailure(const std::string& reason) {
  const std::string line = "Could not save configuration: " + reason;
  Log::Write(line);
  std::fprintf(stderr, "%s\n", line.c_str());
}

YColor Init::ParseColor(std::string_view text) {
  if (text.size() < 6) throw XMLParseError("Error color format.");
  const float alpha = text.size() == 8 ? static_cast<float>(HexPair(text, 6)) * kByteToUnit : 1.0f;
  return YColor(static_cast<float>(HexPair(text, 0)) * kByteToUnit,
                static_cast<float>(HexPair(text, 2)) * kByteToUnit,
                static_cast<float>(HexPair(text, 4)) * kByteToUnit, alpha);
}

std::string Init::GetInterfaceName() const { return interfaces.GetName(interfaceIndex); }

void Init::SetDisplayModeResolver(DisplayModeResolver resolver) {
  if (!resolver) resolver = [](const std::string& mode) { return mode; };
  resolveMode_ = std::move(resolver);
}

void Init::SetSplashSink(SplashSink sink) { addSplash_ = std::move(sink); }

void Init::OnTagOpen(int tagId) {
  if (tagId != kSplash) return;
  // A bad colour throws before the screen is added, so the entry is dropped.
  const YColor color = ParseColor(GetAttr(kSplash, kBgColor).value);
  if (!addSplash_) return;
  addSplash_(GetAttr(kSplash, kShader).value, GetAttr(kSplash, kBgShader).value, color,
             GetAttr(kSplash, kSplashWidth).AsFloat(), GetAttr(kSplash, kSplashHeight).AsFloat());
}

// The user folder, its "save" and "players" folders, and the program's own
// seed files; files already in the user folder are kept.
void Init::SeedUserFolder(const std::string& folder) {
  MakeDirectory(folder);
  MakeDirectory(folder + "\\save");
  MakeDirectory(folder + "\\players");
  CopyFolder("players", folder + "\\players");
  CopyFolder("save", folder + "\\save");
}

void Init::ReadSettings() {
  fullscreen = HeldSwitch(GetTag(kVideo), kFullscreen, true);
  videoMode = resolveMode_(GetAttr(kVideo, kMode).value);
  windowWidth =
      HeldInt(GetTag(kWindow), kWidth, YFramework::kSmallestClientWidth, platform::kLargestSide, kDefaultWidth);
  windowHeight = HeldInt(GetTag(kWindow), kHeight, YFramework::kSmallestClientHeight, platform::kLargestSide,
                         kDefaultHeight);
  maximized = HeldSwitch(GetTag(kWindow), kMaximize, false);
  soundVolume = HeldVolume(GetTag(kSound), kVolume, kDefaultSoundVolume);
  musicVolume = HeldVolume(GetTag(kSound), kMusic, kDefaultMusicVolume);
  fps = HeldSwitch(GetTag(kRender), kFps, false);
  shadows = HeldSwitch(GetTag(kRender), kShadows, true);
  g_textureScale = HeldInt(GetTag(kRender), kTexScale, 1, kLargestTextureScale, 1);
  language_ = GetAttr(kInterface, kLanguage).value;
  interfaceIndex = interfaces.IndexOf(language_, 0);
}

void Init::StoreSettings() {
  GetAttr(kVideo, kFullscreen).SetBool(fullscreen);
  GetAttr(kVideo, kMode).value = videoMode;
  GetAttr(kWindow, kWidth).SetInt(windowWidth);
  GetAttr(kWindow, kHeight).SetInt(windowHeight);
  GetAttr(kWindow, kMaximize).SetBool(maximized);
  GetAttr(kSound, kVolume).SetFloat(soundVolume);
  GetAttr(kSound, kMusic).SetFloat(musicVolume);
  GetAttr(kRender, kFps).SetBool(fps);
  GetAttr(kRender, kShadows).SetBool(shadows);
  GetAttr(kRender, kTexScale).SetInt(g_textureScale);
  const std::string chosen = interfaces.GetDisplayName(interfaceIndex);
  GetAttr(kInterface, kLanguage).value = chosen.empty() ? language_ : chosen;
}

bool Init::WriteConfig(const std::string& path) const {
  std::ostringstream text;
  WriteOpenTag(text, kConfig);
  text << '\n';
  for (const int tagId : {kVideo, kWindow, kSound, kRender, kInterface}) {
    text << "  ";
    WriteOpenTag(text, tagId);
    text << '\n';
  }
  WriteCloseTag(text, kConfig);
  text << '\n';
  OutFStream out(path, false);
  const std::string bytes = text.str();
  out.Write(bytes.data(), bytes.size());
  return out.Close();
}

Init& GetInit() {
  static Init init;
  return init;
}
