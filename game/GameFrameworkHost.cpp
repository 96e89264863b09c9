// The application's side of the game modes: the state word, the UI root's
// screen, sound effects, and the message and result screens. Until those
// screens exist each Show logs its line and sets the state bits its screen
// sets.
#include <string>

#include "framework/Log.h"
#include "framework/YLocale.h"
#include "game/GameFramework.h"
#include "game/screens/ScreenTexts.h"
#include "modes/YGameHotseat.h"
#include "modes/YGameNetwork.h"
#include "modes/YGameQuest.h"
#include "sound/SoundEntry.h"

namespace {
constexpr float kEffectVolume = -1.0f;  // the effect's own volume
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
  Log::Printf("Battle %s: gold +%d, experience +%d, bonus +%d gold, +%d experience",
              victory ? "won" : "drawn", gold, experience, goldBonus, experienceBonus);
  SetState(state | host_state::kResultModal);
}

void GameFramework::ShowDefeat(std::int32_t gold, std::int32_t experience) {
  Log::Printf("Battle lost: gold +%d, experience +%d", gold, experience);
  SetState(state | host_state::kResultModal);
}

void GameFramework::ShowBattleVictoryMP(const std::string& text, std::int32_t experience,
                                        std::int32_t experienceBonus) {
  Log::Printf("%s: experience +%d, bonus +%d", text.c_str(), experience, experienceBonus);
  SetState(state | host_state::kResultModal);
}

void GameFramework::ShowMultiplayerDraw() {
  Log::Printf("Battle drawn%s", "");
}

void GameFramework::ShowNetworkDefeat() {
  Log::Printf("Battle lost to the peer%s", "");
}

void GameFramework::ShowHotseatComplete(std::int32_t winner) {
  Log::Printf("Hot-seat game over, winner %d", winner);
  SetState(state | host_state::kCompleteModal);
}

void GameFramework::ShowNetworkResult(std::int32_t winner) {
  Log::Printf("Network game over, winner %d", winner);
  SetState(state | host_state::kCompleteModal);
}

void GameFramework::ShowLevelComplete(const std::string& artifact, std::uint32_t spell) {
  Log::Printf("Level complete: artifact %s, spell %x", artifact.c_str(), spell);
}

void GameFramework::ShowLevelComplete2() {
  Log::Printf("Level complete%s", "");
}

void GameFramework::ShowLevelFail() {
  Log::Printf("Level failed%s", "");
}

void GameFramework::ShowQuestFinal() {
  Log::Printf("Quest complete%s", "");
}

void GameFramework::ShowHeroFine(const std::string& face, std::int32_t gold) {
  Log::Printf("Hero fined %d gold (%s)", gold, face.c_str());
  SetState(state | host_state::kCompleteModal);
}

void GameFramework::ShowHeroSkill(YPlayerHero* hero) {
  if (hero == nullptr) return Log::Printf("Skill screen: no hero to show%s", "");
  events_.skill.Show(hero);
}

void GameFramework::OpenControlPanel(YPlayer* hero) {
  (void)hero;
  Log::Printf("Control panel%s", "");
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

void GameFramework::ShowHelp() {
  Log::Printf("Help book: not built yet%s", "");
}

void GameFramework::ShowHallOfFame() {
  Log::Printf("Hall of fame: rows not filled yet%s", "");
  uiRoot.SetScreen(screens.hallOfFameScreen.get());
}

void GameFramework::FillOptions() {
  Log::Printf("Options: not filled yet%s", "");
}

void GameFramework::ApplyOptions() {
  Log::Printf("Options: not applied yet%s", "");
}
