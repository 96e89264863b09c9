// The portrait of the hero dialogs (new hero, new profile): the face of the
// chosen origin and gender. An origin with a face for one gender only forces
// that gender and locks the choice; the gender chosen before comes back
// with the next origin that has both faces. Main thread only.
#pragma once

#include <cstdint>

class UIControl;

class HeroPortrait {
 public:
  // Applies the rule to `dialog`'s "origin", "gender" and "face" with the
  // hero catalogue's origins. Nothing when the dialog lacks either list or
  // its origin is outside the catalogue. The gender changes it makes report
  // a selection change that comes back here; those calls do nothing.
  void Apply(UIControl* dialog);
  // A selection change (event code 4) under state word `state`: while a
  // hero dialog is open (0x10), a change of "origin" or "gender" applies
  // the rule to the sender's screen.
  void OnSelectionChanged(std::uint32_t state, UIControl* sender);

  // The gender chosen before an origin forced one; -1 when none.
  int savedGender = -1;

 private:
  void ApplyRule(UIControl* dialog);

  bool applying_ = false;
};
