#include "tools/duelbalance/BalanceRun.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <thread>

#include "board/YTessorLevelLoader.h"
#include "platform/Random.h"
#include "players/DifficultyTable.h"
#include "players/PlayerRules.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "players/YPlayerSaver.h"
#include "tiles/TileLayout.h"
#include "tools/duelbalance/LevelMonsters.h"

namespace {

const std::string kFolder = "ui\\english\\";

struct Hero {
  std::string name;
  DuelSide side;
  std::int32_t level = 0;
};

// The quest's first fight, before any level: the door keeper at level 0
// on his own layout.
constexpr int kDoorKeeper = -1;

struct Job {
  int level = 0;  // index into the levels, or kDoorKeeper
  int hero = 0;
  DuelState start;
  std::uint32_t seed = 0;
  DuelTally tally;
};

bool LoadCatalogues() {
  YArtifactLoader artifacts(kFolder + "artifacts.yml");
  YMonsterReader().Load(kFolder + "monsters.yml");
  YHeroReader heroes(kFolder + "heroes.yml");
  GetTileTables().Load(kFolder);
  return !GetTileTables().Kinds().empty() && !HeroRaces().empty();
}

// A fighter as the duel test program starts it: caps at its own values,
// everything full.
DuelSide SideOf(YPlayer& record) {
  SetCapsToBase(record);
  record.health = std::min(record.health, record.maxValues[5]);
  DuelSide side;
  side.LoadFrom(record);
  return side;
}

// The seed profiles' heroes.
void AddProfileHeroes(std::vector<Hero>& heroes) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("players", error))
    if (entry.path().extension() == ".yml") files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) {
    YPlayerHero* hero = nullptr;
    YPlayerSaver(&hero, false).Load("players\\" + file);
    if (hero == nullptr) continue;
    heroes.push_back(
        Hero{hero->name + " (" + file + ")", SideOf(*hero), HeroLevelForExperience(hero->experience)});
    YPlayerHero::DeleteWithArmy(hero);
  }
}

// Without a quest row, the seed profiles' heroes, then a new hero of every
// catalogue description (origin the race's element, strength 1); with
// one, only the new heroes, made as a new quest of that difficulty makes
// them (its hero factor).
std::vector<Hero> LoadHeroes(const BalanceOptions& options) {
  std::vector<Hero> heroes;
  if (options.questRow < 0) AddProfileHeroes(heroes);
  const int row = std::max(options.questRow, 0);
  const float factor = options.questRow < 0 ? 1.0f : DifficultyRowAt(row).heroFactor;
  const std::vector<YHeroRace>& races = HeroRaces();
  for (std::size_t r = 0; r < races.size(); ++r) {
    for (int gender = 0; gender < 2; ++gender) {
      const int origin = static_cast<int>(r % 4);
      std::unique_ptr<YPlayerHero> hero = CreateHero("new", static_cast<int>(r), gender, origin, row, factor);
      if (hero == nullptr) continue;
      const std::string name = "new " + races[r].name + (gender == 0 ? " m" : " f");
      heroes.push_back(Hero{name, SideOf(*hero), 0});
    }
  }
  return heroes;
}

std::uint32_t Mix(std::uint32_t h, std::uint32_t v) {
  h ^= v + 0x9e3779b9u + (h << 6) + (h >> 2);
  return h * 2654435761u;
}

// The board of a layout, loaded once; null when the layout is unusable.
const DuelBoard* Board(const std::string& path, std::map<std::string, DuelBoard>& boards) {
  auto found = boards.find(path);
  if (found == boards.end()) {
    DuelBoard board;
    if (!tile_layout::LoadLayout(path, board)) board = DuelBoard();
    found = boards.emplace(path, std::move(board)).first;
  }
  return found->second.tiles.empty() ? nullptr : &found->second;
}

// The monsters of a level's duels: the door keeper alone, or the entries
// of the campaign level's file.
std::vector<LevelMonster> MonstersOf(int level) {
  if (level == kDoorKeeper) return {LevelMonster{"door_keeper", "0"}};
  char file[32];
  std::snprintf(file, sizeof file, "levels\\level%02d.yml", level + 1);
  return LevelMonsters(file).Entries();
}

std::string LabelOf(int level) {
  return level == kDoorKeeper ? "door keeper" : "level " + std::to_string(level + 1);
}

// One job per hero, level entry and repetition; the monster's level and
// skill points and its layout are drawn from the job's seed.
void AddJobs(const BalanceOptions& options, int level, const std::vector<Hero>& heroes,
             std::map<std::string, DuelBoard>& boards, std::vector<Job>& jobs) {
  const std::vector<LevelMonster> entries = MonstersOf(level);
  const std::vector<DuelKind> kinds = DuelKindsOf(GetTileTables().Kinds());
  for (std::size_t h = 0; h < heroes.size(); ++h) {
    for (std::size_t e = 0; e < entries.size(); ++e) {
      for (int d = 0; d < options.duels; ++d) {
        const std::uint32_t seed =
            Mix(Mix(Mix(Mix(options.seed, static_cast<std::uint32_t>(level)), static_cast<std::uint32_t>(h)),
                    static_cast<std::uint32_t>(e)),
                static_cast<std::uint32_t>(d));
        platform::SeedRandom(seed);
        const LevelMonster& entry = entries[e];
        const std::int32_t monsterLevel = YTessorLevelLoader::ParseLevel(entry.level, heroes[h].level);
        std::unique_ptr<YPlayerMonster> monster = YPlayerMonster::MakeAtLevel(entry.id, monsterLevel, 1.0f);
        const YMonsterType* type = FindMonsterType(entry.id);
        if (monster == nullptr || type == nullptr) continue;
        const std::string layout =
            type->layouts.empty() ? "standard.lay" : type->layouts[seed % type->layouts.size()];
        const DuelBoard* board = Board("layouts\\" + layout, boards);
        if (board == nullptr) continue;
        Job job;
        job.level = level;
        job.hero = static_cast<int>(h);
        job.seed = seed;
        job.start.board = *board;
        job.start.kinds = kinds;
        job.start.sides = {heroes[h].side, SideOf(*monster)};
        jobs.push_back(std::move(job));
      }
    }
  }
}

DuelPlayer PlayerOfRow(int row) {
  const DifficultyRow& r = DifficultyRowAt(row);
  return DuelPlayer{r.duelDepth, r.duelCandidates, r.duelSamples};
}

void PlayAll(const BalanceOptions& options, std::vector<Job>& jobs) {
  DuelPlayer hero = PlayerOfRow(options.heroRow);
  hero.newPlayer = options.newPlayer;
  const DuelPlayer monster = PlayerOfRow(options.monsterRow);
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i = next++; i < jobs.size(); i = next++)
      jobs[i].tally = HeadlessDuel(jobs[i].start, hero, monster, jobs[i].seed).Play();
  };
  const unsigned count = options.threads > 0 ? static_cast<unsigned>(options.threads)
                                             : std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < count; ++t) workers.emplace_back(work);
  for (std::thread& worker : workers) worker.join();
}

}  // namespace

void BalanceLine::Add(const DuelTally& tally) {
  fewestMoves = duels == 0 ? tally.moves : std::min(fewestMoves, tally.moves);
  mostMoves = duels == 0 ? tally.moves : std::max(mostMoves, tally.moves);
  ++duels;
  heroWins += tally.winner == 0 ? 1 : 0;
  monsterWins += tally.winner == 1 ? 1 : 0;
  moves += tally.moves;
  lostPairs += tally.lostPairs;
  seconds += tally.seconds;
}

std::vector<BalanceLine> RunBalance(const BalanceOptions& options) {
  if (!LoadCatalogues()) return {};
  const std::vector<Hero> heroes = LoadHeroes(options);
  std::map<std::string, DuelBoard> boards;
  std::vector<Job> jobs;
  for (int level = kDoorKeeper; level < options.levels; ++level)
    AddJobs(options, level, heroes, boards, jobs);
  if (jobs.empty()) return {};
  PlayAll(options, jobs);
  std::vector<BalanceLine> lines;
  for (int level = kDoorKeeper; level < options.levels; ++level) {
    BalanceLine total;
    total.label = LabelOf(level);
    std::vector<BalanceLine> perHero(heroes.size());
    for (const Job& job : jobs) {
      if (job.level != level) continue;
      total.Add(job.tally);
      BalanceLine& line = perHero[static_cast<std::size_t>(job.hero)];
      line.label = "  " + heroes[static_cast<std::size_t>(job.hero)].name;
      line.Add(job.tally);
    }
    if (total.duels == 0) continue;
    lines.push_back(total);
    if (!options.perHero) continue;
    for (const BalanceLine& line : perHero)
      if (line.duels > 0) lines.push_back(line);
  }
  return lines;
}

std::string FormatBalance(const std::vector<BalanceLine>& lines) {
  std::string text =
      "| duels of | duels | hero wins | monster wins | moves per duel (min-max) | pairs lost | animation per "
      "duel |\n|---|---|---|---|---|---|---|\n";
  for (const BalanceLine& l : lines) {
    char row[256];
    const double duels = l.duels > 0 ? l.duels : 1;
    std::snprintf(row, sizeof row, "| %s | %d | %.0f %% | %.0f %% | %.1f (%d-%d) | %.1f %% | %.0f s |\n",
                  l.label.c_str(), l.duels, 100.0 * l.heroWins / duels, 100.0 * l.monsterWins / duels,
                  static_cast<double>(l.moves) / duels, l.fewestMoves, l.mostMoves,
                  l.moves > 0 ? 100.0 * static_cast<double>(l.lostPairs) / static_cast<double>(l.moves) : 0.0,
                  l.seconds / duels);
    text += row;
  }
  return text;
}
