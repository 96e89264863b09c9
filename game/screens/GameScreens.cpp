#include "game/screens/GameScreens.h"

#include "framework/FileAlerts.h"
#include "ui/UIControl.h"
#include "ui/UIParser.h"

const std::array<GameScreens::Entry, 26> GameScreens::kEntries = {{
    {&GameScreens::mainMenuScreen, "mainMenu.yml"},
    {&GameScreens::selectSaveScreen, "selectSave.yml"},
    {&GameScreens::messageScreen, "message.yml"},
    {&GameScreens::yesNoScreen, "yesno.yml"},
    {&GameScreens::battleVictoryScreen, "battle_victory.yml"},
    {&GameScreens::battleDrawScreen, "battle_draw.yml"},
    {&GameScreens::defeatScreen, "defeat.yml"},
    {&GameScreens::levelCompleteScreen, "levelComplete.yml"},
    {&GameScreens::levelComplete2Screen, "levelComplete2.yml"},
    {&GameScreens::levelFailScreen, "levelFail.yml"},
    {&GameScreens::heroFineScreen, "heroFine.yml"},
    {&GameScreens::questFinalScreen, "questFinal.yml"},
    {&GameScreens::heroSkillScreen, "heroSkill.yml"},
    {&GameScreens::newHeroScreen, "newHero.yml"},
    {&GameScreens::gameMenuScreen, "sg_menu.yml"},
    {&GameScreens::computerGameScreen, "sg_computer.yml"},
    {&GameScreens::hotseatGameScreen, "sg_hotseat.yml"},
    {&GameScreens::networkGameScreen, "sg_network.yml"},
    {&GameScreens::internetGameScreen, "sg_internet.yml"},
    {&GameScreens::profilesScreen, "sg_profiles.yml"},
    {&GameScreens::newProfileScreen, "sg_newHero.yml"},
    {&GameScreens::battleVictoryMPScreen, "battle_victory_mp.yml"},
    {&GameScreens::multiplayerCompleteScreen, "multiplayerComplete.yml"},
    {&GameScreens::optionsScreen, "options.yml"},
    {&GameScreens::hallOfFameScreen, "hallFame.yml"},
    {&GameScreens::noticeScreen, "message.yml"},
}};

namespace {

constexpr std::array<const char*, 7> kMainMenuButtons = {"continue", "new",  "multiplayer", "options",
                                                         "hallFame", "help", "exit"};

}  // namespace

GameScreens::GameScreens() = default;
GameScreens::~GameScreens() = default;

void GameScreens::Load(std::string_view prefix, const std::function<void(UIControl*)>& onDialog) {
  for (const Entry& entry : kEntries) {
    std::unique_ptr<UIControl>& screen = this->*entry.member;
    screen.reset();
    const std::string file = std::string(prefix) + entry.file;
    screen = UIParser::LoadLayout(file);
    // Even a damaged copy that parses cleanly must not leave a screen out.
    if (screen == nullptr) FileAlerts::NeededFileFailed(file);
    const bool dialog =
        entry.member == &GameScreens::newHeroScreen || entry.member == &GameScreens::newProfileScreen;
    if (dialog && screen != nullptr && onDialog) onDialog(screen.get());
  }
}

UIControl* GameScreens::Find(std::string_view file) const {
  for (const Entry& entry : kEntries)
    if (file == entry.file) return (this->*entry.member).get();
  return nullptr;
}

const char* GameScreens::FileOf(std::unique_ptr<UIControl> GameScreens::*member) {
  for (const Entry& entry : kEntries)
    if (entry.member == member) return entry.file;
  return "";
}

bool GameScreens::MainMenuMade() const {
  if (mainMenuScreen == nullptr) return false;
  for (const char* name : kMainMenuButtons)
    if (mainMenuScreen->FindChild(name) == nullptr) return false;
  return true;
}

bool GameScreens::QuestionMade() const {
  return yesNoScreen != nullptr && yesNoScreen->FindChild("yes") != nullptr &&
         yesNoScreen->FindChild("no") != nullptr;
}
