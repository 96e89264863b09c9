// A commander factory for the modes' tests and headless runs: computers
// wherever a user would sit.
#pragma once

#include <cstdint>
#include <memory>

#include "board/YTessorPlayerCommander.h"
#include "modes/CommanderFactory.h"
#include "tiles/YPlayerCommander.h"

// A duel side that takes its first turn by striking the other fighter down.
std::unique_ptr<YPlayerCommander> MakeStrikingCommander(std::int32_t side);

// Computers of the easiest row wherever the modes ask for a user; with
// `decide`, every duel's side to move strikes the other fighter down at
// once, so a whole game goes by fast.
class ComputerFactory : public CommanderFactory {
 public:
  explicit ComputerFactory(bool decide = false) : decide_(decide) {}
  std::unique_ptr<YTessorPlayerCommander> BoardUser(std::int32_t side) override {
    return BoardComputer(side, 0);
  }
  std::unique_ptr<YPlayerCommander> DuelUser(std::int32_t side) override { return DuelComputer(side, 0); }
  std::unique_ptr<YPlayerCommander> DuelComputer(std::int32_t side, std::int32_t row) override;

 private:
  bool decide_;
};
