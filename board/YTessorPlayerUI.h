// The user at this machine: makes the move the user picked with the mouse
// on the board screen, once the board asks it to think.
#pragma once

#include "board/YTessorPlayerCommander.h"

class YTessorPlayerUI final : public YTessorPlayerCommander {
 public:
  using YTessorPlayerCommander::YTessorPlayerCommander;

  std::int32_t Kind() const override { return commander_kind::kUser; }
  void Think() override;
};
