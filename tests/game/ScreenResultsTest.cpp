// The result screens the game modes show, filled on the shipped English
// screens: gains, state bits and music, rewards, the game ends and the fine.
#include <gtest/gtest.h>

#include "tests/game/ScreenEventsFixture.h"

namespace {

using namespace screen_test;

struct ScreenResultsTest : ScreenEventsTest {
  ScreenResults results{ui, screens, host, modes};
};

TEST_F(ScreenResultsTest, FightResultsShowTheirGainsStateAndMusic) {
  host.state = 3;
  results.ShowBattleVictory(false, 120, 45, 30, 10);
  UIControl* draw = screens.battleDrawScreen.get();
  EXPECT_EQ(ui.GetTopModal(), draw);
  EXPECT_EQ(TextOf(draw, "gold") + TextOf(draw, "experence") + TextOf(draw, "goldbonus") +
                TextOf(draw, "experencebonus"),
            "+120+45+30+10");
  EXPECT_EQ(host.state, 0x43u);
  results.ShowDefeat(7, 0);
  EXPECT_EQ(TextOf(screens.defeatScreen.get(), "gold"), "+7");
  EXPECT_EQ(TextOf(screens.defeatScreen.get(), "experence"), "+0");
  EXPECT_EQ(host.music, (std::vector<FakeHost::Music>{{7, 3, 0.5f}, {8, 3, 0.5f}}));
}

// A reward that names what the catalogues lack falls back to the plain
// level-complete screen, whose "ok" goes on without a reward.
TEST_F(ScreenResultsTest, ALevelRewardShowsItsPicturesOrFallsBackWhenMissing) {
  ClearArtifacts();
  YArtifactLoader artifacts("ui\\english\\artifacts.yml");
  GetTileTables().Clear();
  GetTileTables().Load("ui\\english\\");
  ASSERT_FALSE(Artifacts().empty());
  ASSERT_FALSE(GetTileTables().Spells().empty());
  const YArtifact& item = *Artifacts().front();
  const YTileSpell& spell = *GetTileTables().Spells().front();
  UIControl* reward = screens.levelCompleteScreen.get();
  results.ShowLevelComplete(item.id, spell.key);
  EXPECT_EQ(ui.GetTopModal(), reward);
  EXPECT_EQ(TextOf(reward, "artifactName"), item.name);
  EXPECT_EQ(TextOf(reward, "spellName"), spell.name);
  EXPECT_EQ(dynamic_cast<UIImage*>(reward->FindChild("artifactImg"))->texture, item.texture);
  ui.CloseAllModals();
  Settle();

  host.mode = &modes.quest;
  host.state = 0x82;
  LogCapture log;
  results.ShowLevelComplete("no_such_artifact", spell.key);
  Settle();
  EXPECT_EQ(ui.GetTopModal(), screens.levelComplete2Screen.get());
  EXPECT_EQ(log.Lines().size(), 1u);
  Click("ok");
  EXPECT_EQ(modes.log, Lines{"reward -1"});

  screens.levelCompleteScreen.reset();  // a reward whose screen could not be made
  results.ShowLevelComplete(item.id, spell.key);
  Settle();
  EXPECT_EQ(ui.GetTopModal(), screens.levelComplete2Screen.get());
}

// The locale's game-end text is a format from a data file: only %s and %d
// are filled, nothing reads a missing argument; a draw's text is not a
// format at all.
TEST_F(ScreenResultsTest, TheHotseatEndFillsItsFormatSafely) {
  testing_support::ScopedTempDir dir;
  std::ofstream(dir.File("locale.yml")) << "<locale><str name=\"hotseat_complete\">%s wins %d%s %n %x</str>"
                                           "<str name=\"multiplayer_draw\">Nobody wins 100%s</str></locale>";
  GetLocale().Load(dir.File("locale.yml"));
  modes.sideNames[1] = "Mira";
  host.state = 2;
  results.ShowHotseatComplete(1);
  UIControl* end = screens.multiplayerCompleteScreen.get();
  EXPECT_EQ(TextOf(end, "text"), "Mira wins %n %x");
  EXPECT_EQ(host.state, 0x82u);
  EXPECT_EQ(ui.GetTopModal(), end);
  results.ShowHotseatComplete(-1);
  EXPECT_EQ(TextOf(end, "text"), "Nobody wins 100%s");
}

// The network game's end speaks for this machine: the side whose board
// commander is the peer's won against it.
TEST_F(ScreenResultsTest, TheNetworkEndTellsWinFromDefeatByTheWinnersCommander) {
  UIControl* end = screens.multiplayerCompleteScreen.get();
  modes.sideKinds[0] = 3;  // the peer plays side 0
  modes.sideKinds[1] = 1;
  results.ShowNetworkResult(0);
  EXPECT_EQ(TextOf(end, "text"), GetLocale().GetText("network_defeat_game"));
  results.ShowNetworkResult(1);
  EXPECT_EQ(TextOf(end, "text"), GetLocale().GetText("network_win_game"));
  results.ShowNetworkResult(-1);
  EXPECT_EQ(TextOf(end, "text"), GetLocale().GetText("multiplayer_draw"));
}

// The fine is a whole screen, not a modal; its "ok" starts the next round.
TEST_F(ScreenResultsTest, TheFineBecomesTheScreenAndItsOkGoesOn) {
  host.mode = &modes.quest;
  host.state = 2;
  results.ShowHeroFine("textures\\heroes\\wanderer.tga", 40);
  Settle();
  UIControl* fine = screens.heroFineScreen.get();
  EXPECT_EQ(ui.CurrentScreen(), fine);
  EXPECT_EQ(ui.GetTopModal(), nullptr);
  EXPECT_EQ(TextOf(fine, "gold"), "-40");
  EXPECT_EQ(dynamic_cast<UIImage*>(fine->FindChild("face"))->texture->name(),
            "textures\\heroes\\wanderer.tga");
  EXPECT_EQ(host.state, 0x82u);
  Click("ok");
  EXPECT_EQ(modes.log, Lines{"nextRound"});
  EXPECT_EQ(host.state, 2u);
}

// The killing blow's result lands under the question whether to leave,
// asked while the fallen side's health ran down: the result takes the
// question's place and its "ok" hands it over once. A question answered
// "no" before it lands leaves the result as it comes.
TEST_F(ScreenResultsTest, AFightsResultUnderTheQuestionTakesItsPlace) {
  host.mode = &modes.quest;
  for (const bool answerFirst : {false, true}) {
    host.state = 3;
    ASSERT_TRUE(events.AskAbort());
    Open(screens.yesNoScreen.get());
    if (answerFirst) Click("no");
    results.ShowDefeat(0, 5);
    Settle();
    EXPECT_EQ(host.state, 0x43u);
    EXPECT_EQ(ui.ModalStack(), std::vector<UIControl*>{screens.defeatScreen.get()});
    Click("ok");
    events.OnScreenChanged(nullptr);
    EXPECT_EQ(modes.log, Lines{"levelEnd"});
    modes.log.clear();
  }
}

// A duel resumed with a fighter fallen ends as the screen fades into it:
// the fade's end does not take its result; its box waits for the click.
TEST_F(ScreenResultsTest, AResultOpenAtTheFadesEndWaitsForItsClick) {
  host.mode = &modes.quest;
  host.state = 3;
  results.ShowBattleVictory(true, 10, 20, 5, 7);
  events.OnScreenChanged(nullptr);
  Settle();
  EXPECT_TRUE(modes.log.empty());
  EXPECT_EQ(ui.GetTopModal(), screens.battleVictoryScreen.get());
  Click("ok");
  events.OnScreenChanged(nullptr);
  EXPECT_EQ(modes.log, Lines{"levelEnd"});
}

// A result whose screen could not be made is logged with its file and
// taken as its button takes it: a fight's by the fade to its end, a
// level's at the frame's boundary while the word still waits at it.
TEST_F(ScreenResultsTest, AResultWhoseScreenCannotBeMadeIsTakenAsItsButtonTakesIt) {
  host.mode = &modes.quest;
  LogCapture log;
  // A layout cut short gives a box without its button, or none at all.
  const std::string victory = testing_support::ReadFile("ui/english/battle_victory.yml");
  screens.battleVictoryScreen =
      UIParser().LoadText(victory.substr(0, victory.size() / 3), "battle_victory.yml");
  ASSERT_NE(screens.battleVictoryScreen, nullptr);
  screens.levelFailScreen.reset();
  host.state = 3;
  results.ShowBattleVictory(true, 10, 20, 5, 7);
  ui.Update(0.1f);
  EXPECT_GT(ui.ScreenFade(), 0.0f) << "the fade its ok would begin";
  events.OnScreenChanged(nullptr);
  EXPECT_EQ(modes.log, Lines{"levelEnd"});

  modes.log.clear();
  host.state = 2;
  results.ShowLevelFail();
  host.state = 0x82;  // the mode waits at the result
  results.AnswerUnmadeScreen();
  EXPECT_EQ(modes.log, Lines{"retry"});
  EXPECT_EQ(host.state, 2u);
  results.ShowLevelFail();
  host.state = 1;  // taken meanwhile (the game ended at it): no second answer
  results.AnswerUnmadeScreen();
  EXPECT_EQ(modes.log, Lines{"retry"});
  std::string lines;
  for (const std::string& line : log.Lines()) lines += line;
  EXPECT_NE(lines.find("of battle_victory.yml"), std::string::npos);
  EXPECT_NE(lines.find("of levelFail.yml"), std::string::npos);
}

}  // namespace
