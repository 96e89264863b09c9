#include "tests/play/NetworkPlay.h"

#include <sstream>
#include <thread>

namespace play {

using namespace std::chrono_literals;

namespace {

std::string Profile(const std::string& hero, const std::string& face, const std::string& monster) {
  const std::string army =
      monster.empty()
          ? ""
          : "<monster id=\"" + monster +
                "\">\n"
                "<evol experience=\"0\" points=\"0\" slot=\"3\">\n"
                "<data type=\"self\" air=\"4\" fire=\"4\" earth=\"8\" water=\"4\" health=\"10\">\n"
                "</monster>\n";
  return "<hero name=\"" + hero + "\" face=\"textures\\heroes\\" + face +
         "\" move=\"fly\" way=\"any\" distance=\"3\" gold=\"100\">\n"
         "<evol experience=\"0\" points=\"0\" slot=\"4\">\n"
         "<data type=\"start\" air=\"9\" fire=\"9\" earth=\"9\" water=\"9\" health=\"16\">\n"
         "<data type=\"self\" air=\"9\" fire=\"9\" earth=\"9\" water=\"9\" health=\"16\">\n"
         "<data type=\"skill\" air=\"1\" fire=\"1\" earth=\"1\" water=\"1\" health=\"1\">\n"
         "<spell id=\"315\" selected=\"1\">\n" +
         army + "</hero>\n";
}

// A duel's result screens and the game's end.
bool IsResult(const std::string& name) {
  return name == "battle_victory_mp.yml" || name == "message.yml";
}

}  // namespace

NetworkPlay::NetworkPlay() {
  peer_.label = "_b";
  peer_.appData = peerFolder_.Path();
}

void NetworkPlay::WriteProfiles(bool heroesAlone) const {
  // Numbered above the seed profiles, so each comes first in its list.
  const auto write = [](const Game& game, const std::string& text) {
    std::filesystem::create_directories(game.UserFolder() / "players");
    testing_support::WriteFile(game.UserFolder() / "players" / "00007.yml", text);
  };
  write(own_, Profile("Aldra", "sylph_female.tga", heroesAlone ? "" : "stone_beetle"));
  write(peer_, Profile("Bream", "stoneborn_male.tga", heroesAlone ? "" : "clay_golem"));
}

void NetworkPlay::Switch(Game& game) {
  Use(game);
  e2e::Shell("DISPLAY=" + e2e::Display() + " xdotool windowraise " + game.window + " 2>/dev/null");
}

void NetworkPlay::StopBoth() {
  for (Game* game : {&own_, &peer_}) {
    Switch(*game);
    Stop();
  }
}

void NetworkPlay::OpenSetup() {
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Open("multiplayer", "sg_menu.yml"));
  ASSERT_TRUE(Open("internet", "sg_internet.yml"));
}

void NetworkPlay::Link(std::uint16_t hostPort, std::uint16_t joinPort) {
  ASSERT_NO_FATAL_FAILURE(Start(own_, {"-netport", std::to_string(hostPort)}));
  ASSERT_NO_FATAL_FAILURE(OpenSetup());
  ASSERT_TRUE(Click("apply"));
  ASSERT_NO_FATAL_FAILURE(Start(peer_, {"-2", "-netport", std::to_string(joinPort)}));
  Switch(peer_);
  ASSERT_NO_FATAL_FAILURE(OpenSetup());
  ASSERT_TRUE(Click("ip"));
  TypeText(peer_.window, "127.0.0.1");
  ASSERT_TRUE(Click("apply"));
}

Game* NetworkPlay::Master() {
  Game* master = nullptr;
  e2e::WaitUntil(
      [&] {
        for (Game* game : {&own_, &peer_})
          if (testing_support::ReadFile(game->UserFolder() / "log.txt").find("Connected as master.") !=
              std::string::npos)
            master = game;
        return master != nullptr;
      },
      20s);
  return master;
}

void NetworkPlay::Join(std::uint16_t hostPort, std::uint16_t joinPort, const std::string& orElse) {
  ASSERT_NO_FATAL_FAILURE(Link(hostPort, joinPort));
  // A summary that crosses before the peer's makes the peer choose again:
  // each player applies again once asked, and the link's master (whichever
  // link was made first) then gets a usable "start".
  bool started = false;
  for (int round = 0; round < 20 && !started; ++round) {
    for (Game* game : {&own_, &peer_}) {
      Switch(*game);
      ASSERT_TRUE(Click("apply"));
    }
    std::this_thread::sleep_for(500ms);
    for (Game* game : {&own_, &peer_}) {
      Switch(*game);
      ASSERT_TRUE(Click("start"));
      started = Reach("board|" + orElse, "", "", 1s);
      if (started) break;
    }
  }
  ASSERT_TRUE(started) << "no game began\n" << own_.run->Stderr() << "\n---\n" << peer_.run->Stderr();
  Switch(&Current() == &own_ ? peer_ : own_);
  ASSERT_TRUE(Reach("board|" + orElse));
}

::testing::AssertionResult NetworkPlay::Step(Game& game, bool& ended) {
  const std::string out = game.run->Stderr();
  const std::size_t end = out.rfind("\nend\n");
  if (end == std::string::npos || end < game.seen) return ::testing::AssertionSuccess();
  const Screen screen = LastScreen(out);
  if (screen.name != "multiplayerComplete.yml" && !IsResult(screen.name))
    return ::testing::AssertionSuccess();
  Switch(game);
  if (auto reached = Reach(screen.name, "", "", 5s); !reached) return reached;
  if ((std::stoul(game.current.state, nullptr, 16) & 0x4000) != 0)
    return ::testing::AssertionFailure() << game.label << " shows the network game's end\n" << Trail();
  if (screen.name == "multiplayerComplete.yml") {
    ended = true;
    return ::testing::AssertionSuccess();
  }
  return Click("ok");
}

::testing::AssertionResult NetworkPlay::PlayToTheEnd(std::chrono::seconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  bool ended[2] = {false, false};
  Game* games[2] = {&own_, &peer_};
  while (!ended[0] || !ended[1]) {
    if (std::chrono::steady_clock::now() > deadline)
      return ::testing::AssertionFailure()
             << "the game did not end on " << (ended[0] ? "_b" : "the host") << "\nhost:\n"
             << Trail();
    for (int n = 0; n < 2; ++n) {
      if (ended[n]) continue;
      if (auto step = Step(*games[n], ended[n]); !step) return step;
    }
    std::this_thread::sleep_for(100ms);
  }
  return ::testing::AssertionSuccess();
}

void NetworkPlay::ExpectTheSameGame(bool winnerNeeded) {
  EXPECT_EQ(Told(peer_, "link host "), std::vector<std::string>{"link host 127.0.0.1"})
      << "joined by address";
  const std::vector<std::string> duels = Told(own_, "duel ");
  EXPECT_FALSE(duels.empty());
  EXPECT_EQ(duels, Told(peer_, "duel "));
  const std::vector<std::string> winner = Told(own_, "game winner ");
  ASSERT_EQ(winner.size(), 1u) << Trail();
  EXPECT_EQ(winner, Told(peer_, "game winner "));
  if (winnerNeeded) {
    EXPECT_NE(winner[0], "game winner none");
  }
}

std::vector<std::string> NetworkPlay::Told(const Game& game, const std::string& prefix) {
  std::vector<std::string> lines;
  std::istringstream in(game.run->Stderr());
  for (std::string line; std::getline(in, line);)
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  return lines;
}

}  // namespace play
