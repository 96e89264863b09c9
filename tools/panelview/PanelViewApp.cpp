#include "tools/panelview/PanelViewApp.h"

#include <cstdio>

#include "framework/YLocale.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterSet.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerSaver.h"
#include "ui/UIControl.h"

PanelViewApp::PanelViewApp(const PanelViewOptions& options) : UIViewApp(options.view) {
  const std::string folder = "ui\\" + options.language + "\\";
  GetLocale().Load(folder + "locale.yml");
  GetTileTables().Clear();
  GetTileTables().Load(folder);
  YArtifactLoader artifacts(folder + "artifacts.yml");
  YMonsterReader().Load(folder + "monsters.yml");
  YHeroReader heroes(folder + "heroes.yml");
  YPlayerSaver(&hero_, false).Load(options.profile);
  if (hero_ == nullptr) {
    std::fprintf(stderr, "the profile %s gave no hero\n", options.profile.c_str());
    ok = false;
    return;
  }
  ProfileMonsterSet().Attach(hero_, true);
  YControlPanel& panel = GetControlPanel();
  panel.SetScreens(this);
  panel.Build();
  panel.SetPlayer(hero_, &ProfileMonsterSet(), options.tab);
}

PanelViewApp::~PanelViewApp() {
  YControlPanel& panel = GetControlPanel();
  panel.SetScreens(nullptr);
  panel.SetPlayer(nullptr, nullptr, 0);
  panel.window.reset();
  ProfileMonsterSet().Attach(nullptr, false);
  YPlayerHero::DeleteWithArmy(hero_);
}

void PanelViewApp::ShowHeroSkill(YPlayerHero*) {
  std::fprintf(stderr, "screen skill\n");
}

void PanelViewApp::BackToMenu() {
  std::fprintf(stderr, "screen continue\n");
}

void PanelViewApp::UpdateScene(float dt) {
  GetControlPanel().Update(dt);
}

void PanelViewApp::DrawScene() {
  GetControlPanel().Draw();
}

void PanelViewApp::SceneMouse(int kind, int button, float x, float y) {
  YControlPanel& panel = GetControlPanel();
  if (kind == 0) panel.OnMouseMove(x, y);
  if (kind == 1) panel.OnMouseDown(button, x, y);
  if (kind == 2) panel.OnMouseUp(button, x, y);
}
