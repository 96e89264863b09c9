// The game as a player meets it, for the end-to-end tests: the shipped
// application object in its window, with two things added that the shipped
// game never offers a player. Wherever a mode seats the user in a battle a
// stand-in plays instead (the board computer of the easiest row; in a duel
// the user's side strikes its enemy down at its first turn, so that the
// user wins every fight, unless the user folder's "standin.txt" says
// otherwise: see PlayRun.cpp), and the program tells on standard error what a
// player sees: whenever the screen-state word or the active screen changes
// and no fade is pending, a block
//   screen <layout file | panel | board | none> 0x<state word>
//   control <name> <x> <y>     (every named, visible control, at its centre
//                               in window pixels of a 1000 x 625 window)
//   current <name> <index>     (a drop-down list's chosen item)
//   text <name> <words>        (a named text's words as shown, one blank
//                               between them)
//   control item<N> <x> <y>    (the items of an open drop-down list)
//   control slot<N> <x> <y>    (on the control panel: its tab's slots)
//   gold <n>                   (on the control panel: the player's gold)
//   end
// The control panel reports again when its tab, its selected slot or the
// gold changes, any screen when a drop-down list opens or closes.
#pragma once

#include <string_view>

// Runs the game with the stand-ins and the reports; the exit code.
int RunPlay(std::string_view commandLine);
