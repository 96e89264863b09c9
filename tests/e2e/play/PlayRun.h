// The game as a player meets it, for the end-to-end tests: the shipped
// application object in its window, with two things added that the shipped
// game never offers a player. Wherever a mode seats the user in a battle a
// stand-in plays instead (the board computer of the middle row; in a duel
// the user's side strikes its enemy down at its first turn, so that the
// user wins every fight, unless the user folder's "standin.txt" says
// otherwise: see PlayRun.cpp; a network game's stand-ins keep both machines
// in step: NetworkStandIns.h), and the program tells on standard error what a
// player sees: whenever the screen-state word or the active screen changes
// and no fade is pending, a block
//   screen <layout file | panel | board | none> 0x<state word>
//   control <name> <x> <y>     (every named, visible control, at its centre
//                               in window pixels of a 1000 x 625 window)
//   text <name> <words>        (a named text's words)
//   current <name> <index>     (a drop-down list's chosen item)
//   control item<N> <x> <y>    (the items of an open drop-down list)
//   control slot<N> <x> <y>    (on the control panel: its tab's slots)
//   tab <n>                    (on the control panel: its tab)
//   gold <n>                   (on the control panel: the player's gold)
//   end
// The control panel reports again when its tab, its selected slot or the
// gold changes, any screen when a drop-down list opens or closes. Between
// the blocks, single lines tell of results and messages:
//   duel winner <name> / loser <name>   (a duel's result screen comes up; the
//   duel draw <name> / <name>            fighters' names, as this machine has them)
//   game winner <profile name | none>   (a network game's end is shown)
//   link host <address | (broadcast)>   (the network game's link looks for
//                                        another host than before)
//   message <text>                      (a message box opens; for the network
//                                        mode's messages its locale key, e.g.
//                                        "message network_disconnect")
// The command line may carry "-netport <n>": the network game's links then
// take base port n in place of the game's own (tests run side by side).
#pragma once

#include <string_view>

// Runs the game with the stand-ins and the reports; the exit code.
int RunPlay(std::string_view commandLine);
