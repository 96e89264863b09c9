#include "tests/play/PlayFixture.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iterator>
#include <sstream>

namespace play {

using namespace std::chrono_literals;

Screen LastScreen(const std::string& out) {
  Screen screen;
  const std::size_t end = out.rfind("\nend\n");
  if (end == std::string::npos) return screen;
  // At a line's start: a text's words may hold "screen ".
  std::size_t start = out.rfind("\nscreen ", end);
  if (start != std::string::npos)
    ++start;
  else if (out.rfind("screen ", 0) == 0)
    start = 0;
  else
    return screen;
  std::istringstream lines(out.substr(start, end - start));
  std::string word;
  lines >> word >> screen.name >> screen.state;
  while (lines >> word) {
    if (word == "gold" || word == "tab") {
      lines >> (word == "gold" ? screen.gold : screen.tab);
      continue;
    }
    if (word == "page" || word == "stage") {
      std::getline(lines, screen.detail);
      screen.detail = word + screen.detail;
      continue;
    }
    if (word == "text") {
      std::string name;
      lines >> name;
      std::getline(lines >> std::ws, screen.text[name]);
      continue;
    }
    if (word == "current") {
      std::string name;
      lines >> name >> screen.current[name];
      continue;
    }
    std::string name;
    int x = 0, y = 0;
    lines >> name >> x >> y;
    screen.at[name] = {x, y};
  }
  return screen;
}

namespace {

bool IsOneOf(const std::string& name, const std::string& names) {
  return ("|" + names + "|").find("|" + name + "|") != std::string::npos;
}

}  // namespace

PlayRun::PlayRun() : current_(own_.current) {
  own_.appData = tmp.Path();
}

void PlayRun::TearDown() {
  for (const Game* game : started_) KeepLog(*game);
}

std::string PlayRun::TestName() const {
  return std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()).substr(0, 16);
}

void PlayRun::KeepLog(const Game& game) const {
  testing_support::WriteFile(Shot("play_" + TestName() + game.label + "_log.txt"),
                             testing_support::ReadFile(game.UserFolder() / "log.txt"));
  if (game.run)
    testing_support::WriteFile(Shot("play_" + TestName() + game.label + "_report.txt"), game.run->Stderr());
}

void PlayRun::Start(const std::vector<std::string>& args) { Start(own_, args); }

// QV_PLAYRUN may name another build's play program (a sanitizer tree's).
std::string PlayRun::PlayProgram() {
  const char* exe = std::getenv("QV_PLAYRUN");
  return exe != nullptr ? exe : QV_PLAYRUN_EXE;
}

void PlayRun::Start(Game& game, const std::vector<std::string>& args) {
  Use(game);
  game.seen = 0;
  if (std::find(started_.begin(), started_.end(), &game) == started_.end()) started_.push_back(&game);
  if (!std::filesystem::exists(game.UserFolder() / "config.yml")) {
    std::filesystem::create_directories(game.UserFolder());
    testing_support::WriteFile(game.UserFolder() / "config.yml",
                               testing_support::ReadFile(UserFolder() / "config.yml"));
  }
  // The game honours "-2" (a second instance) only at the line's start.
  const bool second = !args.empty() && args.front() == "-2";
  std::vector<std::string> all{"-broadcast", "127.255.255.255"};
  all.insert(second ? all.begin() : all.end(), args.begin(), args.end());
  game.run = std::make_unique<e2e::GameProcess>(game.appData.string(), e2e::Display(), all,
                                                e2e::Launch{program_.empty() ? PlayProgram() : program_, ""});
  // Found by its process, as another game's window may be up.
  e2e::WaitUntil(
      [&] {
        const std::string out = e2e::ShellOutput("DISPLAY=" + e2e::Display() +
                                                 " xdotool search --onlyvisible --pid " +
                                                 std::to_string(game.run->Pid()) + " 2>/dev/null");
        game.window = out.substr(0, out.find('\n'));
        return !game.window.empty();
      },
      15s);
  ASSERT_FALSE(game.window.empty()) << game.run->Stderr();
  // Past the splash screens, once they have begun.
  e2e::WaitUntil([&] { return testing_support::ReadFile(game.UserFolder() / "log.txt").find(
                                  "State 0x4 -> 0x6") != std::string::npos; },
                 15s);
  Press("Escape");
}

::testing::AssertionResult PlayRun::Reach(const std::string& name, const std::string& state,
                                          const std::string& detail, std::chrono::seconds timeout) {
  Game& game = *game_;
  Screen screen;
  std::size_t end = 0;
  const bool reached = e2e::WaitUntil(
      [&] {
        const std::string out = game.run->Stderr();
        end = out.rfind("\nend\n");
        if (end == std::string::npos || end < game.seen) return false;
        screen = LastScreen(out);
        return IsOneOf(screen.name, name) && (state.empty() || screen.state == state) &&
               screen.detail.rfind(detail, 0) == 0;
      },
      timeout);
  if (!reached)
    return ::testing::AssertionFailure() << game.label << " never reached " << name << " " << state << " "
                                         << detail << "; last " << screen.name << " " << screen.state << " "
                                         << screen.detail << "\n"
                                         << Trail();
  game.seen = end + 1;
  game.current = screen;
  char number[16];
  std::snprintf(number, sizeof number, "%03d", ++shots_);
  Screenshot(game.window, Shot("play_" + TestName() + "_" + number + game.label + "_" + screen.name + ".png"));
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult PlayRun::Click(const std::string& control) {
  const Screen& screen = game_->current;
  const auto it = screen.at.find(control);
  if (it == screen.at.end())
    return ::testing::AssertionFailure() << game_->label << ": " << screen.name << " has no control " << control;
  Point(game_->window, it->second.first, it->second.second);
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult PlayRun::Open(const std::string& control, const std::string& screen) {
  if (auto clicked = Click(control); !clicked) return clicked;
  return Reach(screen);
}

::testing::AssertionResult PlayRun::OpenTab(int tab) {
  static constexpr const char* kLinks[] = {"cp_spells", "cp_artifacts", "cp_army", "cp_shop"};
  if (tab < 0 || tab > 3) return ::testing::AssertionFailure() << "no tab " << tab;
  if (game_->current.tab == tab) return ::testing::AssertionSuccess();
  return Open(kLinks[tab], "panel");
}

void PlayRun::StandIn(const std::string& mode) const {
  testing_support::WriteFile(game_->UserFolder() / "standin.txt", mode + "\n");
}

void PlayRun::LeaveForTheMenu() {
  Press("Escape");
  ASSERT_TRUE(Reach("yesno.yml", "0x9"));
  ASSERT_TRUE(Click("yes"));
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
}

void PlayRun::BeginAQuest() {
  ASSERT_TRUE(Open("new", "newHero.yml"));
  ASSERT_TRUE(Open("ok", "book"));
  Press("Escape");
  ASSERT_TRUE(Reach("message.yml"));
  ASSERT_TRUE(Open("ok", "battle_victory.yml"));
  ASSERT_TRUE(Open("ok", "panel"));
}

void PlayRun::WatchTheEnd() {
  ASSERT_TRUE(Click("ok"));
  WatchTheFinalScene();
}

void PlayRun::WatchTheFinalScene() {
  ASSERT_TRUE(Reach("none", "0x20005", "stage 3"));
  Press("space");
  ASSERT_TRUE(Reach("none", "0x20005", "stage 0 waiting"));
  Point(game_->window, 500, 300);
  ASSERT_TRUE(Reach("hallFame.yml", "0x80004"));
}

std::string PlayRun::Trail() const {
  std::string trail;
  std::istringstream lines(game_->run->Stderr());
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("screen ", 0) == 0) trail += line + "\n";
  return trail;
}

void PlayRun::Stop() {
  game_->run->Signal(SIGTERM);
  EXPECT_EQ(game_->run->Wait(15s), std::optional<int>(0)) << game_->run->Stderr();
}

int PlayRun::LevelCount() {
  const std::filesystem::path levels = std::filesystem::path(QV_PLAYRUN_EXE).parent_path() / "levels";
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(levels), {}));
}

}  // namespace play
