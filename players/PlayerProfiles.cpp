#include "players/PlayerProfiles.h"

#include <algorithm>
#include <memory>

#include "framework/FileAlerts.h"
#include "framework/FileUtils.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "players/NumberedFiles.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YMonsterSet.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerSaver.h"

namespace {

struct Profiles {
  std::vector<std::string> files;
  std::vector<ProfileInfo> list;
  YPlayerHero* current = nullptr;
  std::string currentPath;
  ProfileSelectedHook onSelected;

  ~Profiles() { YPlayerHero::DeleteWithArmy(current); }
};

Profiles& State() {
  static Profiles profiles;
  return profiles;
}

std::string PlayersFolder() { return GetInit().UserPath() + "players"; }
std::string ProfilePath(const std::string& file) { return PlayersFolder() + "\\" + file; }

// Writes the hero at `target` to `path`. A failure leaves the old file, if
// any, whole and is logged and told to the player.
bool WriteProfile(YPlayerHero** target, const std::string& path) {
  if (YPlayerSaver(target, false).Save(path)) {
    FileAlerts::SaveSucceeded(FileAlerts::Unsaved::kProfile);
    return true;
  }
  Log::Printf("Could not save the profile %s", path.c_str());
  FileAlerts::SaveFailed(FileAlerts::Unsaved::kProfile);
  return false;
}

ProfileInfo ReadSummary(const std::string& file) {
  YPlayerSaver reader(nullptr, true);
  reader.Load(ProfilePath(file));
  if (reader.Summary()) return *reader.Summary();
  ProfileInfo unreadable;
  unreadable.name = file;
  unreadable.readable = false;
  return unreadable;
}

void FreeCurrentPlayer() {
  Profiles& state = State();
  if (state.current != nullptr && state.onSelected) state.onSelected(nullptr, nullptr, 0);
  ProfileMonsterSet().Attach(nullptr, false);
  YPlayerHero::DeleteWithArmy(state.current);
  state.current = nullptr;
}

// What a new profile hero of level `level` receives: its level and points,
// the catalogue's artifacts and the table's spells its level allows, gold.
void RaiseNewHero(YPlayerHero& hero, std::int32_t level) {
  hero.slots[static_cast<std::size_t>(kArmyOrder[0])] = &hero;
  hero.experience = SaturatedInt32(ExperienceForLevel(static_cast<std::int64_t>(level) - 1));
  hero.shownExperience = hero.experience;
  hero.UpdateLevel();
  for (const auto& artifact : Artifacts()) {
    if (artifact->level <= 0 || artifact->level > hero.level || hero.HasArtifact(artifact.get())) continue;
    if (hero.artifact == nullptr)
      hero.artifact = artifact.get();
    else
      hero.artifacts.push_back(artifact.get());
  }
  for (const auto& spell : GetTileTables().Spells()) {
    if (spell->level <= hero.level) hero.LearnSpell(spell.get());
  }
  hero.gold = SaturatedInt32((3 * static_cast<std::int64_t>(level) + 165) * 5);
}

}  // namespace

const std::vector<std::string>& ProfileFiles() { return State().files; }
const std::vector<ProfileInfo>& ProfileList() { return State().list; }
YPlayerHero* CurrentPlayer() { return State().current; }
const std::string& CurrentProfilePath() { return State().currentPath; }

void SetProfileSelectedHook(ProfileSelectedHook hook) { State().onSelected = std::move(hook); }

void ScanPlayerProfiles() {
  State().files = ListNumberedFiles(PlayersFolder());
  State().list.clear();
}

void LoadProfileSummaries() {
  Profiles& state = State();
  state.list.clear();
  for (const std::string& file : state.files) state.list.push_back(ReadSummary(file));
}

void LoadPlayerProfile(int n, YPlayerHero** target) {
  const std::vector<std::string>& files = State().files;
  if (target == nullptr || n < 0 || static_cast<std::size_t>(n) >= files.size()) return;
  YPlayerHero::DeleteWithArmy(*target);
  *target = nullptr;
  YPlayerSaver reader(target, false);
  reader.Load(ProfilePath(files[static_cast<std::size_t>(n)]));
}

void SelectPlayerProfile(int n) {
  Profiles& state = State();
  if (n < 0 || static_cast<std::size_t>(n) >= state.files.size()) return;
  FreeCurrentPlayer();
  LoadPlayerProfile(n, &state.current);
  state.currentPath = ProfilePath(state.files[static_cast<std::size_t>(n)]);
  if (state.current == nullptr) return;
  ProfileMonsterSet().Attach(state.current, true);
  if (state.onSelected) state.onSelected(state.current, &ProfileMonsterSet(), 0);
}

void SaveCurrentProfile() {
  Profiles& state = State();
  if (state.current == nullptr || state.currentPath.empty()) return;
  WriteProfile(&state.current, state.currentPath);
  FreeCurrentPlayer();
  LoadProfileSummaries();
}

bool CreatePlayerProfile(std::string_view name, int race, int gender, int origin, std::int32_t level) {
  std::unique_ptr<YPlayerHero> hero = CreateHero(name, race, gender, origin, 0, 1.0f);
  if (!hero) return false;
  RaiseNewHero(*hero, level);
  Profiles& state = State();
  // Numbered from the folder itself: the list's first entry need not be the
  // highest (a profile numbered below 99999 goes first), and the folder may
  // hold files the list has not seen.
  const std::string file = NewNumberedFileName(ListNumberedFiles(PlayersFolder()));
  if (file.empty()) {
    Log::Printf("Could not create a profile: every number is taken in %s", PlayersFolder().c_str());
    return false;
  }
  // The folder may be gone (the user's folder was seeded once, and what the
  // player deletes stays deleted); the new profile makes it again.
  if (!MakeDirectory(PlayersFolder())) Log::Printf("Cannot create the profile folder %s", PlayersFolder().c_str());
  YPlayerHero* written = hero.get();
  if (!WriteProfile(&written, ProfilePath(file))) return false;
  hero->FreeLists();
  hero.reset();
  state.files.insert(state.files.begin(), file);
  if (state.list.size() + 1 == state.files.size()) state.list.insert(state.list.begin(), ReadSummary(file));
  SelectPlayerProfile(0);
  return true;
}

bool DeletePlayerProfile(int n) {
  Profiles& state = State();
  if (n < 0 || static_cast<std::size_t>(n) >= std::min(state.list.size(), state.files.size())) return false;
  const std::string path = ProfilePath(state.files[static_cast<std::size_t>(n)]);
  if (!platform::RemoveFile(path)) {
    Log::Printf("Could not delete the profile %s", platform::MapPath(path).c_str());
    return false;
  }
  state.files.erase(state.files.begin() + n);
  state.list.erase(state.list.begin() + n);
  // The selected profile is gone: nothing may write it back.
  if (path == state.currentPath) {
    FreeCurrentPlayer();
    state.currentPath.clear();
  }
  return true;
}
