// The tags and attribute positions of the campaign save file, shared by its
// reader and its writer.
#pragma once

namespace quest_save {

enum Tag { kGame, kHero, kMonster, kEvol, kData, kArtifact, kSpell, kDesk, kShop, kBattle, kTile };
enum GameAttr { kGameState, kGameLevel, kGameReward };
enum HeroAttr {
  kName,
  kFace,
  kMove,
  kWay,
  kDistance,
  kGold,
  kDifficulty,
  kKill,
  kLoss,
  kDefeat,
  kGoldAll,
  kExpAll
};
enum EvolAttr { kExperience, kPoints, kSlot, kPosX, kPosY, kEvolLevel };
enum DataAttr { kType, kAir, kFire, kEarth, kWater, kHealth };
enum ItemAttr { kId, kSelected };
enum DeskAttr { kTurn, kManaTime, kDeskGold };
enum BattleAttr { kLayout, kPlayer1, kPlayer2, kBattleState, kBattleTurn, kBattleGold, kBattleExp };
enum TileAttr { kTileId, kTileX, kTileY, kTileZ };

}  // namespace quest_save
