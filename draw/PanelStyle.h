// The control panel's colours and size, shared by its building, input and
// drawing.
#pragma once

#include "framework/YColor.h"

inline constexpr float kPanelWidth = 1000;
inline constexpr float kPanelHeight = 625;
inline const YColor kPanelBlack(0, 0, 0, 1);        // ordinary texts
inline const YColor kPanelDarkRed(0.7f, 0, 0, 1);   // names, titles, the current tab
inline const YColor kPanelGrey(0.3f, 0.3f, 0.3f, 1);  // prices the player cannot pay
inline const YColor kPanelRed(1, 0, 0, 1);           // warnings
