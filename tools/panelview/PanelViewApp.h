// The control panel's developer view: reads the interface texts and the
// catalogues of an interface language and a profile file, and shows the
// profile's hero on the control panel with the profile's monster set as its
// shop, the panel taking the mouse as it does in the game. The panel's
// requests to the game screens are printed on standard error ("screen
// skill", "screen continue"). Escape quits.
#pragma once

#include <string>

#include "draw/YControlPanel.h"
#include "tools/uiview/UIViewApp.h"

class YPlayerHero;

struct PanelViewOptions {
  UIViewOptions view;
  std::string language = "english";
  std::string profile = "players\\00001.yml";  // data name of the profile file
  int tab = 0;
};

class PanelViewApp : public UIViewApp, public PanelScreens {
 public:
  explicit PanelViewApp(const PanelViewOptions& options);
  ~PanelViewApp() override;

  void ShowHeroSkill(YPlayerHero* player) override;
  void BackToMenu() override;

 protected:
  void UpdateScene(float dt) override;
  void DrawScene() override;
  void SceneMouse(int kind, int button, float x, float y) override;

 private:
  YPlayerHero* hero_ = nullptr;  // owned, with its army
};
