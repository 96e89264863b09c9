// The player profiles of the user folder's "players" folder: listing,
// summaries for the profile screens, the selected profile (the current
// player, with the profile monster set as its shop), saving it back,
// creating and deleting. Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "players/ProfileInfo.h"

class YPlayerHero;
class YMonsterShop;

// The profile file names, highest number first.
const std::vector<std::string>& ProfileFiles();
// One summary per entry of ProfileFiles, at the same index; a file that
// gives no hero keeps its place with a summary marked unreadable.
const std::vector<ProfileInfo>& ProfileList();
// The selected profile's hero; null when none is selected.
YPlayerHero* CurrentPlayer();
// The file SaveCurrentProfile writes: set when a profile is selected.
const std::string& CurrentProfilePath();

// The screens' control panel takes the selected player and its shop (tab 0);
// installed by the game screens, called after every selection, and with
// nulls as the selected player is freed, so that nothing keeps it.
using ProfileSelectedHook = std::function<void(YPlayerHero* player, YMonsterShop* shop, int tab)>;
void SetProfileSelectedHook(ProfileSelectedHook hook);

// Lists the numbered profile files; the summaries are emptied.
void ScanPlayerProfiles();
// Reads the summary of every listed file, in list order.
void LoadProfileSummaries();
// Reads profile n in full into `*target` (freeing, with its army, a hero
// that was there). Nothing happens for an index outside the list.
void LoadPlayerProfile(int n, YPlayerHero** target);
// Makes profile n the current player: the old one is freed, the profile
// read, the monster set filled for it and both handed to the control panel.
void SelectPlayerProfile(int n);
// Writes the current player to its file, frees it (there is then no current
// player) and reloads the summaries.
void SaveCurrentProfile();
// Creates a hero at `level` (race, gender 0/1, origin 0-3 as CreateHero
// takes them), writes it as a new profile numbered as NewNumberedFileName
// gives for the folder's files (never over one of them), puts it first in
// the list and selects it. False when the hero cannot be made or written.
bool CreatePlayerProfile(std::string_view name, int race, int gender, int origin, std::int32_t level);
// Deletes the file of entry n and, only when that succeeds, the entry (a
// file that stays is logged).
// Deleting the selected profile's file also frees the current player and
// forgets its path, so no profile is selected and nothing is saved.
bool DeletePlayerProfile(int n);
