// The application's side of the game modes: the state word, the UI root's
// screen, sound effects, and the message and result screens (the result
// screens are ScreenResults' work).
#include <string>

#include "draw/TileAtlas.h"
#include "draw/YControlPanel.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "framework/YLocale.h"
#include "game/GameFramework.h"
#include "game/book/BookNames.h"
#include "game/book/HelpPageBuilder.h"
#include "game/book/YFinalScene.h"
#include "game/screens/HallOfFameScreen.h"
#include "game/screens/ScreenTexts.h"
#include "modes/YGameHotseat.h"
#include "modes/YGameNetwork.h"
#include "modes/YGameQuest.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YPlayerHero.h"
#include "players/Stats.h"
#include "render/DisplayMode.h"
#include "render/YFont.h"
#include "sound/SoundEntry.h"
#include "sound/SoundSystem.h"
#include "ui/UICombobox.h"
#include "ui/UIControl.h"

namespace {
constexpr float kEffectVolume = -1.0f;  // the effect's own volume
constexpr int kIntroTrack = 1;
constexpr float kIntroFade = 1.0f;
}  // namespace

void GameFramework::InstallModeHost() {
  GetHotseatGame().SetHost(this);
  GetNetworkGame().SetHost(this);
  GetGameQuest().SetHost(this);
}

void GameFramework::RemoveModeHost() {
  GetHotseatGame().SetHost(nullptr);
  GetNetworkGame().SetHost(nullptr);
  GetGameQuest().SetHost(nullptr);
  gameMaster = nullptr;
}

void GameFramework::SetState(std::uint32_t word) {
  if (word == state) return;
  Log::Printf("State 0x%x -> 0x%x", state, word);
  state = word;
}

void GameFramework::ClearScreen() {
  uiRoot.SetScreen(nullptr);
}

void GameFramework::PlayEffect(std::string_view name) {
  if (SoundEntry* entry = FindSound(name)) entry->Play(YVector3(), kEffectVolume, YVector3());
}

void GameFramework::ShowMessage(const std::string& text) {
  screen_texts::ShowTextBox(uiRoot, screens.messageScreen.get(), text);
}

void GameFramework::ShowBattleVictory(bool victory, std::int32_t gold, std::int32_t experience,
                                      std::int32_t goldBonus, std::int32_t experienceBonus) {
  results_.ShowBattleVictory(victory, gold, experience, goldBonus, experienceBonus);
}

void GameFramework::ShowDefeat(std::int32_t gold, std::int32_t experience) {
  results_.ShowDefeat(gold, experience);
}

void GameFramework::ShowBattleVictoryMP(const std::string& text, std::int32_t experience,
                                        std::int32_t experienceBonus) {
  results_.ShowBattleVictoryMP(text, experience, experienceBonus);
}

void GameFramework::ShowMultiplayerDraw() {
  results_.ShowMultiplayerDraw();
}

void GameFramework::ShowNetworkDefeat() {
  results_.ShowNetworkDefeat();
}

void GameFramework::ShowHotseatComplete(std::int32_t winner) {
  results_.ShowHotseatComplete(winner);
}

void GameFramework::ShowNetworkResult(std::int32_t winner) {
  results_.ShowNetworkResult(winner);
}

void GameFramework::ShowLevelComplete(const std::string& artifact, std::uint32_t spell) {
  results_.ShowLevelComplete(artifact, spell);
}

void GameFramework::ShowLevelComplete2() {
  results_.ShowLevelComplete2();
}

void GameFramework::ShowLevelFail() {
  results_.ShowLevelFail();
}

void GameFramework::ShowQuestFinal() {
  results_.ShowQuestFinal();
}

void GameFramework::ShowHeroFine(const std::string& face, std::int32_t gold) {
  results_.ShowHeroFine(face, gold);
}

void GameFramework::ShowHeroSkill(YPlayerHero* hero) {
  if (hero == nullptr) return Log::Printf("Skill screen: no hero to show%s", "");
  events_.skill.Show(hero);
}

void GameFramework::OpenControlPanel(YPlayer* hero, YMonsterShop* shop, std::int32_t tab) {
  // Only heroes have a panel: a monster's record has no spells or army.
  auto* player = dynamic_cast<YPlayerHero*>(hero);
  if (player == nullptr) return Log::Printf("Control panel: %s is no hero", hero != nullptr ? hero->name.c_str() : "-");
  GetControlPanel().SetPlayer(player, shop, tab);
}

void GameFramework::ReleasePlayers() {
  GetControlPanel().Release();
  events_.skill.skillHero = nullptr;
}

void GameFramework::CloseModals() {
  uiRoot.CloseAllModals();
}

void GameFramework::ShowYesNo(const std::string& text) {
  screen_texts::ShowTextBox(uiRoot, screens.yesNoScreen.get(), text);
}

void GameFramework::SelectMusic(int track, int followUp, float fade) {
  musicPlayer.SelectTrackAt(track, followUp, fade);
}

void GameFramework::ShowHelp(bool fromStart) {
  YLocale& locale = GetLocale();
  HelpPageBuilder::Sources sources;
  sources.kinds = &GetTileTables().Kinds();
  sources.spells = &GetTileTables().Spells();
  sources.artifacts = &Artifacts();
  sources.font = YFont::Find(book_names::kFont);
  sources.spellsTitle = locale.GetText(book_names::kSectionTitleKeys[0]);
  sources.specialSpellsTitle = locale.GetText(book_names::kSectionTitleKeys[1]);
  sources.artifactsTitle = locale.GetText(book_names::kSectionTitleKeys[2]);
  sources.tileFace = [](int frame) { return GetTileAtlas().Frame(frame); };
  HelpPageBuilder builder(std::move(sources));
  bookPages_.OpenHelp(fromStart, state, GetInit().GetInterfaceName() + "\\", builder, uiRoot);
}

bool GameFramework::ShowIntro() {
  if (!bookPages_.OpenIntro(GetInit().GetInterfaceName() + "\\", uiRoot)) {
    Log::Printf("Introduction: no page could be read, the quest begins%s", "");
    return false;
  }
  SelectMusic(kIntroTrack, -1, kIntroFade);
  return true;
}

void GameFramework::FreePages() {
  bookPages_.Free();
}

void GameFramework::OpenFinalScene() {
  YFinalScene::Instance().Open();
}

void GameFramework::ShowHallOfFame() {
  GetStats().CopyRecords();
  const UIControl* hero = screens.newHeroScreen.get();
  const auto* difficulties =
      hero != nullptr ? dynamic_cast<const UICombobox*>(hero->FindChild("difficulty")) : nullptr;
  HallOfFameScreen::Fill(screens.hallOfFameScreen.get(), GetStats().shown, difficulties);
  uiRoot.SetScreen(screens.hallOfFameScreen.get());
}

void GameFramework::FillOptions() {
  OptionsScreen::Fill(screens.optionsScreen.get(), GetInit(), GetDisplayModeList());
}

void GameFramework::ApplyOptions() {
  options_.Apply(screens.optionsScreen.get(), GetInit());
}

void GameFramework::SetOptionVolume(bool music, float value) {
  if (music)
    SetMusicVolume(value);
  else
    SetEffectsVolume(value);
}

void GameFramework::ChangeVideoMode(const std::string& videoMode) {
  Log::Printf("Video mode %s", videoMode.c_str());
  GetInit().videoMode = videoMode;
  KillWindow();
  CreateMainWindow();
}

void GameFramework::ChangeLanguage(int language) {
  GetInit().interfaceIndex = language;
  Log::Printf("Interface %s", GetInit().GetInterfaceName().c_str());
  LoadScreens();
}
