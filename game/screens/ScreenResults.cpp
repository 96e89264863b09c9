#include "game/screens/ScreenResults.h"

#include <utility>

#include "board/YTessorPlayerCommander.h"
#include "draw/ImageDrawing.h"
#include "draw/TileAtlas.h"
#include "framework/Log.h"
#include "framework/TextFormat.h"
#include "framework/YLocale.h"
#include "game/screens/GameScreens.h"
#include "game/screens/ScreenControls.h"
#include "game/screens/ScreenEvents.h"
#include "game/screens/ScreenHost.h"
#include "game/screens/ScreenModes.h"
#include "game/screens/ScreenTexts.h"
#include "players/TileTables.h"
#include "players/YGameMaster.h"
#include "players/YArtifactLoader.h"
#include "ui/UIControl.h"
#include "ui/UIImage.h"
#include "ui/UIRoot.h"

namespace ss = screen_state;
namespace st = screen_texts;

namespace {
// The result music: the victory or the defeat track, then the second track.
constexpr int kVictoryTrack = 7;
constexpr int kDefeatTrack = 8;
constexpr int kResultFollowUp = 3;
constexpr float kResultFade = 0.5f;
constexpr int kNoMusic = -1;

std::string Text(const char* key) {
  return GetLocale().GetText(key);
}

// The image `name` of `screen` shows the rectangle `texRect` of `texture`.
void SetPicture(UIControl* screen, const char* name, YTextureBase* texture, const YRect& texRect) {
  auto* image = ChildOf<UIImage>(screen, name);
  if (image == nullptr) return;
  image->texture = texture;
  image->texRect = texRect;
}

// The face of a tile kind as the tile battle draws it: its atlas frame
// without the side strip.
void SetTileFace(UIControl* screen, const char* name, std::int32_t kindIndex) {
  const auto& kinds = GetTileTables().Kinds();
  if (kindIndex < 0 || static_cast<std::size_t>(kindIndex) >= kinds.size()) return;
  YTextureBase* frame = GetTileAtlas().Frame(kinds[static_cast<std::size_t>(kindIndex)].tex);
  SetPicture(screen, name, frame, YRect(0, 0, kTileFaceU, 1));
}
}  // namespace

ScreenResults::ScreenResults(UIRoot& ui, GameScreens& screens, ScreenHost& host, ScreenModes& modes)
    : ui_(ui), screens_(screens), host_(host), modes_(modes) {}

void ScreenResults::SetStateBits(std::uint32_t bits) const {
  host_.SetState(host_.State() | bits);
}

// A fight may end under the question (its last blow struck before it was
// asked): the result takes the question's place, so that neither waits
// behind the other with the word at both.
void ScreenResults::WithdrawQuestion() {
  const std::uint32_t state = host_.State();
  if ((state & ss::kQuestion) == 0) return;
  host_.SetState(state & ~ss::kQuestion);
  ui_.CloseModal();
}

void ScreenResults::Open(Screen screen, const char* button, std::uint32_t bits, int track, Answer answer) {
  WithdrawQuestion();
  if (bits != 0) SetStateBits(bits);
  if (track != kNoMusic) host_.SelectMusic(track, kResultFollowUp, kResultFade);
  UIControl* box = (screens_.*screen).get();
  if (!HasButton(box, button)) return TakeUnmade(screen, bits, std::move(answer));
  ui_.PushModal(box);
}

bool ScreenResults::HasButton(const UIControl* box, const char* button) {
  return box != nullptr && (button == nullptr || box->FindChild(button) != nullptr);
}

void ScreenResults::TakeUnmade(Screen screen, std::uint32_t bits, Answer answer) {
  Log::Printf("The result screen of %s cannot be made", GameScreens::FileOf(screen));
  if ((bits & ss::kResult) != 0)
    ui_.SetScreen(nullptr);  // the fade's end hands the result to the mode
  else
    unmadeAnswer_ = std::move(answer);
}

void ScreenResults::AnswerUnmadeScreen() {
  Answer answer = std::exchange(unmadeAnswer_, {});
  if (!answer || (host_.State() & ss::kComplete) == 0) return;
  host_.SetState(ss::kBoard);
  if (YGameMaster* mode = host_.GameMode()) answer(*mode);
}

void ScreenResults::ShowBattleVictory(bool victory, std::int32_t gold, std::int32_t experience,
                                      std::int32_t goldBonus, std::int32_t experienceBonus) {
  const Screen member = victory ? &GameScreens::battleVictoryScreen : &GameScreens::battleDrawScreen;
  UIControl* screen = (screens_.*member).get();
  st::SetNumber(screen, "gold", '+', gold);
  st::SetNumber(screen, "experence", '+', experience);
  st::SetNumber(screen, "goldbonus", '+', goldBonus);
  st::SetNumber(screen, "experencebonus", '+', experienceBonus);
  Open(member, "ok", ss::kResult, kVictoryTrack);
}

void ScreenResults::ShowDefeat(std::int32_t gold, std::int32_t experience) {
  UIControl* screen = screens_.defeatScreen.get();
  st::SetNumber(screen, "gold", '+', gold);
  st::SetNumber(screen, "experence", '+', experience);
  Open(&GameScreens::defeatScreen, "ok", ss::kResult, kDefeatTrack);
}

void ScreenResults::ShowBattleVictoryMP(const std::string& text, std::int32_t experience,
                                        std::int32_t experienceBonus) {
  UIControl* screen = screens_.battleVictoryMPScreen.get();
  st::SetText(screen, "text", text, st::kCentred);
  st::SetNumber(screen, "experence", '+', experience);
  st::SetNumber(screen, "experencebonus", '+', experienceBonus);
  Open(&GameScreens::battleVictoryMPScreen, "ok", ss::kResult, kVictoryTrack);
}

void ScreenResults::ShowMultiplayerDraw() {
  WithdrawQuestion();
  host_.ShowMessage(Text("multiplayer_draw"));
  host_.SelectMusic(kVictoryTrack, kResultFollowUp, kResultFade);
}

void ScreenResults::ShowNetworkDefeat() {
  WithdrawQuestion();
  host_.ShowMessage(Text("network_defeat"));
  host_.SelectMusic(kDefeatTrack, kResultFollowUp, kResultFade);
}

// The locale's text is a format from a data file: only the safe formatter
// fills it. A draw's text is shown as it stands.
void ScreenResults::ShowHotseatComplete(std::int32_t winner) {
  if (winner < 0) {
    ShowGameEnd(Text("multiplayer_draw"));
    return;
  }
  ShowGameEnd(FormatTextArgs(Text("hotseat_complete"), modes_.SidePlayerName(winner)));
}

void ScreenResults::ShowNetworkResult(std::int32_t winner) {
  if (winner < 0) {
    ShowGameEnd(Text("multiplayer_draw"));
    return;
  }
  const bool peerWon = modes_.SideCommanderKind(winner) == commander_kind::kNetwork;
  ShowGameEnd(Text(peerWon ? "network_defeat_game" : "network_win_game"));
}

void ScreenResults::ShowGameEnd(const std::string& text) {
  UIControl* screen = screens_.multiplayerCompleteScreen.get();
  st::SetText(screen, "text", text, st::kCentred);
  Open(&GameScreens::multiplayerCompleteScreen, nullptr, ss::kComplete, kNoMusic);
}

void ScreenResults::ShowLevelComplete(const std::string& artifact, std::uint32_t spell) {
  if (FillReward(artifact, spell)) {
    Open(&GameScreens::levelCompleteScreen, nullptr, 0, kNoMusic);
    return;
  }
  // Without its reward (or its screen) the screen would offer nothing to
  // click and the quest would wait at its result for ever: the level ends
  // without one.
  Log::Printf("Level reward not shown (artifact \"%s\", spell 0x%x): the level ends without a reward",
              artifact.c_str(), spell);
  ShowLevelComplete2();
}

bool ScreenResults::FillReward(const std::string& artifact, std::uint32_t spell) {
  const YArtifact* item = YArtifactLoader::FindArtifact(artifact);
  const YTileSpell* pair = GetTileTables().FindSpell(spell);
  UIControl* screen = screens_.levelCompleteScreen.get();
  if (item == nullptr || pair == nullptr) return false;
  if (!HasButton(screen, "artifact") || !HasButton(screen, "spell")) return false;
  SetPicture(screen, "artifactImg", item->texture, YRect(0, 0, 1, 1));
  st::SetText(screen, "artifactName", item->name, st::kCentred);
  SetTileFace(screen, "spellImg1", pair->first);
  SetTileFace(screen, "spellImg2", pair->second);
  st::SetText(screen, "spellName", pair->name, st::kCentred);
  return true;
}

void ScreenResults::ShowLevelComplete2() {
  Open(&GameScreens::levelComplete2Screen, "ok", 0, kNoMusic,
       [](YGameMaster& mode) { mode.OnRewardChoice(-1); });
}

void ScreenResults::ShowLevelFail() {
  Open(&GameScreens::levelFailScreen, "ok", 0, kNoMusic, [](YGameMaster& mode) { mode.OnRetryLevel(); });
}

void ScreenResults::ShowQuestFinal() {
  Open(&GameScreens::questFinalScreen, "ok", 0, kNoMusic, [](YGameMaster& mode) { mode.OnRewardChoice(-1); });
}

void ScreenResults::ShowHeroFine(const std::string& face, std::int32_t gold) {
  UIControl* screen = screens_.heroFineScreen.get();
  SetStateBits(ss::kComplete);
  if (!HasButton(screen, "ok"))
    return TakeUnmade(&GameScreens::heroFineScreen, 0, [](YGameMaster& mode) { mode.OnNextRound(); });
  if (!face.empty()) {
    auto* image = ChildOf<UIImage>(screen, "face");
    if (image != nullptr) image->texture = GetTexture(face);
  }
  st::SetNumber(screen, "gold", '-', gold);
  ui_.SetScreen(screen);
}
