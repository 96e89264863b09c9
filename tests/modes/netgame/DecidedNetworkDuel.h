// The peer's side of a duel in a headless network game whose own side is
// played by a striking commander (tests/modes/ComputerFactory.h): the real
// network commander exchanges the greeting and the start, and when the
// peer's side is to move it strikes this machine's fighter down, as the
// peer's striking commander does on its own machine. So the side that moves
// first wins every duel, on both machines alike, with no move to send.
#pragma once

#include <memory>

#include "tiles/YPlayerCommander.h"

class DecidedNetworkDuel final : public YPlayerCommander {
 public:
  // Wraps `peer`, the real network commander of side 1.
  explicit DecidedNetworkDuel(std::unique_ptr<YPlayerCommander> peer);

  std::int32_t Kind() const override { return kNetwork; }
  void HandleMessages() override;
  // The peer's side moves: this machine's fighter falls.
  void Update() override;
  void OnStart(const std::string& layoutPath, std::uint32_t seed, std::int32_t firstSide) override;
  void OnMove(std::int32_t first, std::int32_t second) override;

 private:
  // The wrapped commander works on the battle this one was installed in.
  YPlayerCommander& Peer();

  std::unique_ptr<YPlayerCommander> peer_;
};
