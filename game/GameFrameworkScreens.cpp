// The application's screen set: reading the interface folder and the way
// back to the main menu.
#include <string>

#include "board/YTessor.h"
#include "draw/YControlPanel.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "framework/YLocale.h"
#include "game/GameFramework.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "render/YFont.h"
#include "render/YFontLoader.h"
#include "tiles/YTileset.h"
#include "ui/UICombobox.h"
#include "ui/UIControl.h"
#include "ui/UIParser.h"

void GameFramework::LoadScreens() {
  const std::string prefix = GetInit().GetInterfaceName() + "\\";
  GetLocale().Load(prefix + "locale.yml");
  YFontLoader::LoadFonts(prefix + "fonts.yml");
  YArtifactLoader artifacts(prefix + "artifacts.yml");
  YMonsterReader().Load(prefix + "monsters.yml");
  YHeroReader heroes(prefix + "heroes.yml");
  GetTileset().Load(prefix);
  GetTessor().BuildScreen();
  GetControlPanel().Build();
  // The styles file only names styles, which stay for the screens below.
  UIParser::LoadLayout(prefix + "styles.yml");
  events_.LoadScreens(prefix, [this](UIControl* dialog) {
    FillOriginList(dialog->FindChild("origin"));
    SetHeroPortrait(dialog);
  });
  if (!screens.MainMenuMade()) FailWithoutMainMenu(prefix + "mainMenu.yml");
}

// Without its main menu the game would show a black window that answers
// nothing: it ends, saying why, as a fatal start-up error does.
void GameFramework::FailWithoutMainMenu(const std::string& file) {
  const std::string text = "The game's main menu cannot be made from " + platform::MapPath(file) +
                           ".\nThe game cannot go on. See " + Log::FileName() + " in the user folder for more.";
  Log::Printf("The main menu cannot be made from %s: the game ends", file.c_str());
  platform::ShowMessageBox(text, "ERROR", platform::MessageBoxIcon::Exclamation);
  platform::EndProcess(1);
}

void GameFramework::FillOriginList(UIControl* origin) {
  auto* list = dynamic_cast<UICombobox*>(origin);
  if (list == nullptr) return;
  list->Clear();
  for (const YHeroRace& race : HeroRaces()) list->AddItem(race.name);
  list->SetCurrent(0);
}

void GameFramework::SetHeroPortrait(UIControl* dialog) {
  events_.portrait.Apply(dialog);
}

namespace {
constexpr float kWaitTextSize = 26.0f;
}  // namespace

// Over the screen held dark while the network game waits for the other
// player: what it waits for and how to stop, centred, one text a line.
void GameFramework::DrawWaitNotice() {
  if (!events_.WaitsForPeer()) return;
  YFont* font = GetMainFont();
  float y = uiRoot.Height() / 2;
  for (const char* key : ScreenEvents::kWaitTexts) {
    const std::string text = GetLocale().GetText(key);
    YFont::DrawText(font, (uiRoot.Width() - font->GetTextWidth(text) * kWaitTextSize) / 2, y, kWaitTextSize,
                    text);
    y += kWaitTextSize * 1.5f;
  }
}

void GameFramework::ShowMainMenu() {
  events_.ShowMainMenu();
}

void GameFramework::BackToMenu() {
  events_.BackToMenu();
}
