// The control panel between battles: a hero's spells, artifacts and army
// arranged, units bought and sold. Its controls live in one window that
// becomes the UI root's screen; the rest is drawn directly each frame. It
// never owns the hero or the shop. Main thread only.
#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "draw/PanelSlots.h"
#include "ui/UIEvent.h"

class UIButton;
class UIControl;
class UIHotLine;
class UIScrollBar;
class UISpeedButton;
class YMonsterShop;
class YPlayer;
class YPlayerHero;

// What the panel asks of the game screens, installed by them. Until they
// are, the panel logs the request and does nothing.
class PanelScreens {
 public:
  virtual ~PanelScreens() = default;
  // The skill screen for the panel's hero.
  virtual void ShowHeroSkill(YPlayerHero* player) = 0;
  // Continue: control goes back to the game mode or the menu.
  virtual void BackToMenu() = 0;
};

class YControlPanel : public UIEvent {
 public:
  // Everything the panel looks up by name in the shipped content.
  static constexpr std::array<const char*, 7> kShaderNames = {"ui5",     "uisp5",       "image_std", "pbar",
                                                              "slotsel", "star_effect", "button"};
  static constexpr std::array<const char*, 4> kTabBoxTextures = {
      "textures\\ui\\bm1.tga", "textures\\ui\\bm2.tga", "textures\\ui\\bm3.tga", "textures\\ui\\bm4.tga"};
  static constexpr const char* kSlotTexture = "textures\\slotsel.tga";
  static constexpr const char* kStarTexture = "textures\\star.tga";
  static constexpr const char* kGoldTexture = "textures\\gold.tga";
  static constexpr const char* kSkillTexture = "textures\\ui\\button_skill.tga";
  static constexpr const char* kTrackTexture = "textures\\ui\\sbar.jpg";
  static constexpr const char* kUpTexture = "textures\\ui\\button_up.jpg";
  static constexpr const char* kDownTexture = "textures\\ui\\button_down.jpg";
  static constexpr std::array<const char*, 4> kTabKeys = {"cp_spells", "cp_artifacts", "cp_army", "cp_shop"};
  static constexpr std::array<const char*, 8> kTextKeys = {"cp_continue", "cp_sell",  "cp_select",
                                                           "cp_unselect", "cp_buy",   "cp_level",
                                                           "cp_cost",     "cp_no_free_slots"};
  static constexpr std::array<const char*, 3> kMoveKindKeys = {"pmm_walk", "pmm_fly", "pmm_teleport"};
  static constexpr std::array<const char*, 2> kSounds = {"buy", "sell"};

  // Spells tab, no hover, no selection, not built.
  YControlPanel();
  ~YControlPanel() override;
  YControlPanel(const YControlPanel&) = delete;
  YControlPanel& operator=(const YControlPanel&) = delete;

  // Makes the window and its controls anew from the loaded locale and
  // catalogues (after every load of the interface files); measures the list
  // names and takes the move texts. With a player shown, opens tab 0.
  void Build();
  // Shows the panel for a player, with a shop (every tab) or without one
  // (spells and artifacts only), on a tab: with a shop a tab outside 0-3
  // keeps the current one, refreshed for the new player; without one a tab
  // outside 0-1 opens tab 0. The window becomes the UI root's screen.
  void SetPlayer(YPlayerHero* player, YMonsterShop* shop, int tab);
  // Lets go of the player and the shop (their game frees them): nothing of
  // them is drawn or changed until the next SetPlayer. The screen stays.
  void Release();
  // Switches to tab 0-3 (others are ignored): hover and selection cleared,
  // action buttons hidden, the scroll bar set for the tab's list, the free
  // army slots counted.
  void SetTab(int tab);
  // After a move in a list tab: the scroll range for the list, at its top.
  void RefreshScrollBar();

  // Mouse input in view coordinates while the panel is the scene.
  void OnMouseMove(float x, float y);
  void OnMouseDown(int button, float x, float y);
  void OnMouseUp(int button, float x, float y);
  void Update(float dt);
  // The background, tab boxes, header and the current tab's slots and card,
  // before the UI root draws the controls. Nothing without a renderer.
  void Draw();
  void OnEvent(int code, UIControl* sender) override;

  // The information card on the right: a unit with its sale price, a shop
  // offer with its price, the spell or artifact of a list slot.
  void DrawItemCost(YPlayer* unit);
  void DrawBuyCost(int offer);
  void DrawSpellInfo(int slot);
  void DrawArtifactInfo(int slot);

  // Not owned; null restores the logging fallback.
  void SetScreens(PanelScreens* screens) { screens_ = screens; }

  int tab = panel::kSpellsTab;
  int hoverSlot = -1;
  int selectedSlot = -1;
  int freeSlots = 0;  // empty army slots of the player, counted at every tab change
  UIButton* continueButton = nullptr;
  UIButton* sellButton = nullptr;
  UIButton* selectButton = nullptr;
  UIButton* unselectButton = nullptr;
  UIButton* buyButton = nullptr;
  UISpeedButton* skillButton = nullptr;
  std::array<UIHotLine*, 4> tabLinks{};
  UIScrollBar* scrollBar = nullptr;
  YPlayerHero* player = nullptr;  // not owned
  YMonsterShop* shop = nullptr;   // not owned; null without a shop
  std::unique_ptr<UIControl> window;

 private:
  void BuildTabLinks();
  void BuildButtons();
  void MeasureListNames();
  void HideActionButtons();
  void ClearSelection();
  int ScrollRow() const;
  int CountFreeSlots() const;
  // The grid scrolls by rows of two when `entries` (with the drop box) need
  // more than its ten slots; otherwise the bar is hidden at the top.
  void SetGridEntries(int entries);
  bool OnVisibleActionButton(float x, float y) const;
  void ClickArmy();
  void ClickShop();
  void ClickSpells();
  void ClickArtifacts();
  void Trade(bool buy);
  void SelectOrUnselect(bool select);

  void DrawBackground() const;
  void DrawTabBoxes() const;
  void DrawHeader() const;
  void DrawUnitSlots();
  void DrawListSlots();
  void DrawListBoxes(int columnCount, int spareCount) const;
  void DrawSelectionFrame() const;

  PanelScreens* screens_ = nullptr;
};

// A caption button for the panel: 1.5 x size high, as wide as its text at
// 1.1 x size plus three heights, its x the left edge (align 0), the right
// edge (1) or the middle (2); shader "button", white text that turns light
// yellow under the pointer.
std::unique_ptr<UIButton> MakePanelButton(std::string_view name, float x, float y, float size, int align,
                                          std::string_view text);

// The process's panel.
YControlPanel& GetControlPanel();
