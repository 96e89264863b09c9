#include "game/YConsole.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <locale>
#include <sstream>

#include "framework/Log.h"
#include "framework/YLock.h"
#include "render/YFont.h"
#include "render/YRender.h"
#include "render/YShader.h"

namespace {

constexpr float kUIWidth = 1000.0f;
constexpr float kUIHeight = 625.0f;
constexpr float kLineStep = 20.0f;
constexpr std::uint32_t kBackspace = 8;
constexpr std::uint32_t kEnter = 13;

// The console that installed the log's echo; only it removes the echo again.
std::atomic<YConsole*> g_echoConsole{nullptr};

// ---- Font -----------------------------------------------------------------

// In UI units at the console's text size.
float TextWidth(const YFont& font, std::string_view text) {
  return font.GetTextWidth(text) * YConsole::kTextSize;
}

void DrawLine(YFont& font, float x, float y, std::string_view text) {
  YFont::DrawText(&font, x, y, YConsole::kTextSize, text);
}

// ---- Words of the command line -----------------------------------------------

void SkipSpaces(std::string_view line, std::size_t& pos) {
  while (pos < line.size() && line[pos] == ' ') ++pos;
}

// Gathers characters up to a space or '=' (left for the next read) or the
// end; a '[' starts a run up to and including the next ']', blanks included.
std::string ReadWord(std::string_view line, std::size_t& pos) {
  std::string word;
  while (pos < line.size() && line[pos] != ' ' && line[pos] != '=') {
    if (line[pos] != '[') {
      word += line[pos++];
      continue;
    }
    const std::size_t close = line.find(']', pos);
    const std::size_t end = close == std::string_view::npos ? line.size() : close + 1;
    word.append(line.substr(pos, end - pos));
    pos = end;
  }
  return word;
}

std::string Unknown(std::string_view word) {
  return "? '" + std::string(word) + "'.";
}

}  // namespace

// ---- Life -------------------------------------------------------------------

YConsole* YConsole::Instance(YConsoleCommand* newHandler) {
  static YConsole console(newHandler);
  if (newHandler) console.handler = newHandler;
  return &console;
}

YConsole::YConsole(YConsoleCommand* newHandler) {
  Create(newHandler);
  AddCommand("exit", 0);
  const char* const names[] = {"fps",          "fullscreen", "video_mode", "sound_volume",
                               "music_volume", "shadows",    "stoptime"};
  for (int id = 0; id < 7; ++id) AddVariable(names[id], id);
}

YConsole::~YConsole() {
  YConsole* self = this;
  // Log::SetEcho waits for an echo in progress, so no Print runs after it.
  if (g_echoConsole.compare_exchange_strong(self, nullptr)) Log::SetEcho({});
}

void YConsole::Create(YConsoleCommand* newHandler) {
  {
    YLock hold(linesLock_);
    lines_.clear();
    scrollIndex_ = -1;
  }
  font = YFont::Find("sysfont");
  shader = GetShader("console");
  height = closedHeight = 0;
  speed = 400.0f;
  commandLine.clear();
  commandLine.reserve(8);
  caretTimer = 0;
  caretHalfPeriod = 0.3f;
  caretVisible = true;
  handler = newHandler;
  open = false;
  Update(0);
  g_echoConsole.store(this);
  Log::SetEcho([this](const std::string& line) { Print(line); });
}

void YConsole::AddCommand(const std::string& name, int id) {
  commands[name] = id;
}

void YConsole::AddVariable(const std::string& name, int id) {
  variables[name] = id;
}

// ---- Output lines -------------------------------------------------------------

void YConsole::Print(std::string_view text) {
  YLock hold(linesLock_);
  for (std::size_t start = 0;;) {
    const std::size_t feed = text.find('\n', start);
    if (feed == std::string_view::npos) {
      lines_.emplace_back(text.substr(start));
      break;
    }
    lines_.emplace_back(text.substr(start, feed - start));
    start = feed + 1;
  }
  scrollIndex_ = -1;
}

std::vector<std::string> YConsole::Lines() const {
  YLock hold(linesLock_);
  return lines_;
}

int YConsole::ScrollIndex() const {
  YLock hold(linesLock_);
  return scrollIndex_;
}

void YConsole::SetScrollIndex(int index) {
  YLock hold(linesLock_);
  scrollIndex_ = index;
}

std::vector<std::string> YConsole::VisibleLines(float firstY) {
  YLock hold(linesLock_);
  const int newest = static_cast<int>(lines_.size()) - 1;
  if (scrollIndex_ == -1) scrollIndex_ = newest;
  std::vector<std::string> shown;
  float y = firstY;
  for (int i = std::min(scrollIndex_, newest); i >= 0 && y > 0; --i, y -= kLineStep)
    shown.push_back(lines_[static_cast<std::size_t>(i)]);
  return shown;
}

void YConsole::Scroll(bool back) {
  const int page = static_cast<int>(height / kLineStep) - 3;
  if (page < 1) return;
  YLock hold(linesLock_);
  const int newest = static_cast<int>(lines_.size()) - 1;
  // Following the newest line counts as standing on it.
  const int index = scrollIndex_ == -1 ? newest : scrollIndex_;
  scrollIndex_ = back ? std::min(std::max(index - page, page), newest) : std::min(index + page, newest);
}

// ---- Frame ----------------------------------------------------------------------

bool YConsole::Update(float dt) {
  const bool changed = SlideAndBlink(dt);
  PlaceQuad();
  return changed;
}

bool YConsole::SlideAndBlink(float dt) {
  const float heightBefore = height;
  if (open && height < kOpenHeight) {
    height = std::min(height + dt * speed, kOpenHeight);
  } else if (!open && height > closedHeight) {
    height = std::max(height - dt * speed, closedHeight);
    if (height <= closedHeight) SetScrollIndex(-1);
  }
  if (height <= 0) return height != heightBefore;
  const bool caretBefore = caretVisible;
  if (caretVisible) {
    caretTimer += dt;
    if (caretTimer > caretHalfPeriod) caretVisible = false;
  } else {
    caretTimer -= dt;
    if (caretTimer < 0) caretVisible = true;
  }
  return height != heightBefore || caretVisible != caretBefore;
}

void YConsole::PlaceQuad() {
  const float top = height - kUIHeight;
  quad[0] = YTexVertex(YVector3(0, top, 0), YVector2(0, 0));
  quad[1] = YTexVertex(YVector3(0, height, 0), YVector2(0, 1));
  quad[2] = YTexVertex(YVector3(kUIWidth, height, 0), YVector2(1, 1));
  quad[3] = YTexVertex(YVector3(kUIWidth, top, 0), YVector2(1, 0));
}

void YConsole::Draw() {
  if (height <= 0 || !g_render) return;
  g_render->SetShader(shader, true);
  g_render->DrawQuad28(quad);
  if (!font) return;
  const float y0 = height - 4;
  DrawLine(*font, 3, y0, "=>");
  const float lineX = 6 + TextWidth(*font, "=>");
  DrawLine(*font, lineX, y0, commandLine);
  if (caretVisible) DrawLine(*font, lineX + TextWidth(*font, commandLine) + 1, y0, "_");
  // The lines are copied under the lock and drawn without it.
  float y = y0 - 24;
  for (const std::string& line : VisibleLines(y)) {
    DrawLine(*font, 5, y, line);
    y -= kLineStep;
  }
}

// ---- Command line -----------------------------------------------------------------

void YConsole::OnChar(std::uint32_t character) {
  if (character == kBackspace) {
    if (!commandLine.empty()) commandLine.pop_back();
    return;
  }
  if (character == kEnter) {
    Execute();
    return;
  }
  if (character > 255 || !font) return;
  const auto c = static_cast<char>(static_cast<unsigned char>(character));
  if (font->GetCharWidth(c) == 0) return;
  commandLine += c;
  if (TextWidth(*font, commandLine) > kMaxLineWidth) commandLine.pop_back();
}

void YConsole::Execute() {
  // The handler may print or even run a console operation: work on a copy.
  const std::string line = std::move(commandLine);
  commandLine.clear();
  std::size_t pos = 0;
  while (ExecuteStatement(line, pos)) {
  }
}

bool YConsole::ExecuteStatement(std::string_view line, std::size_t& pos) {
  echoPrefix.clear();
  valueText.clear();
  SkipSpaces(line, pos);
  const std::string word = ReadWord(line, pos);
  if (word.empty()) return false;
  SkipSpaces(line, pos);
  if (pos < line.size() && line[pos] == '=') return AssignVariable(word, line, ++pos);
  return RunCommand(word, line, pos);
}

bool YConsole::AssignVariable(const std::string& name, std::string_view line, std::size_t& pos) {
  const auto variable = variables.find(name);
  // An assignment to an unknown name is reported like an unknown command.
  if (variable == variables.end()) {
    Print(Unknown(name));
    return false;
  }
  SkipSpaces(line, pos);
  valueText = ReadWord(line, pos);
  if (valueText.empty()) {
    Print("Error: missing value of variable.");
    return false;
  }
  echoPrefix = name + "=";
  if (handler) handler->OnVariable(variable->second);
  return true;
}

bool YConsole::RunCommand(const std::string& name, std::string_view line, std::size_t& pos) {
  const auto command = commands.find(name);
  if (command == commands.end()) {
    Print(Unknown(name));
    return false;
  }
  echoPrefix = name;
  SkipSpaces(line, pos);
  valueText = ReadWord(line, pos);
  if (handler) handler->OnCommand(command->second);
  return true;
}

// ---- Values ------------------------------------------------------------------------

bool YConsole::ParseBool() {
  if (valueText == "true" || valueText == "1") return true;
  if (valueText == "false" || valueText == "0") return false;
  Print(Unknown(valueText));
  return false;
}

float YConsole::GetFloat() const {
  // As atof, but a value that is no finite float ("nan", "1e99") gives 0, so
  // no volume or other setting becomes infinite or not a number.
  const float value = std::strtof(valueText.c_str(), nullptr);
  return std::isfinite(value) ? value : 0.0f;
}

int YConsole::GetInt() const {
  // As atoi, but a number out of range is clamped instead of undefined.
  const long value = std::strtol(valueText.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

std::string BoolToString(bool value) {
  return value ? "true" : "false";
}

std::string FloatToString(float value) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out << value;
  return out.str();
}
