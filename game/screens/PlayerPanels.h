// The custom-drawn rows and panels of the profile, save and two-player
// screens: a face at the left and three lines of text beside it, the
// selection frame, and the waiting picture of a network setup. Drawn in
// the control's own coordinates; nothing without a renderer. The texts
// are filled through the safe formatter. Main thread only.
#pragma once

#include <string>
#include <vector>

#include "framework/YRect.h"

struct ProfileInfo;
struct SaveInfo;
class YFont;
class YTextureBase;

// The names the panels look up in the shipped content.
namespace player_panels {
inline constexpr const char* kFaceShader = "small_face";
inline constexpr const char* kFrameShader = "slotsel";
inline constexpr const char* kSelectionTexture = "textures\\slotsel.tga";
inline constexpr const char* kWaitingPicture = "textures\\heroes\\wizard_wait.jpg";
inline constexpr const char* kLocaleKeys[] = {"mp_info1",   "mp_info2",     "ss_info1",       "ss_info2",
                                              "mp_connect", "mp_noconnect", "profile_damaged"};
}  // namespace player_panels

// The three lines of a panel or a save row.
struct PanelLines {
  std::string name;
  std::string first;
  std::string second;
};

// A profile: its name, "mp_info1" with its level counted from 1,
// "mp_info2" with its army's size; a damaged profile its file's name and
// "profile_damaged".
PanelLines ProfileLines(const ProfileInfo& info);
// A save: its hero's name, "ss_info1" with the level counted from 1 and
// the experience, "ss_info2" with the difficulty's name; a damaged save
// its file's name and the words of a damaged profile.
PanelLines SaveLines(const SaveInfo& save, const std::string& difficulty);

// The panels' shapes: a setup's player, a profile list's row, a save row.
enum class PanelShape { kSetup, kList, kSave };
// One text of a panel: y is the bottom of its line box, `size` its height.
struct PlacedText {
  float x = 0, y = 0, size = 0;
  std::string text;
};
// Where the lines go in `rect` in `font` (not null): the name and the first
// and second lines, each cut to the text column; a first line without a
// second wraps on into the second's room, so that a notice is read whole.
std::vector<PlacedText> PanelTexts(const PanelLines& lines, const YRect& rect, PanelShape shape, YFont* font);

// A profile's panel on a setup (the unit 2/9 of the height; lines at 1.25,
// 3.25 and 4.25 units) / in the profile list (2/7; 1.25, 2.25, 3.25); the
// text column starts half a unit right of the face.
void FillPlayerPanel1(const ProfileInfo& info, const YRect& rect);
void FillPlayerPanel2(const ProfileInfo& info, const YRect& rect);
// A save's row: as the profile list's panel, its text column a whole unit
// right of the face.
void FillSaveRow(const SaveInfo& save, const std::string& difficulty, const YRect& rect);
// The waiting picture in a frame and "mp_connect" while connected, else
// "mp_noconnect": the other player of a network setup has not arrived.
void FillWaitingPanel(bool connected, const YRect& rect);
// The half-transparent selection frame over the whole rectangle, its ends
// keeping their shape.
void DrawSelectionFrame(const YRect& rect);
