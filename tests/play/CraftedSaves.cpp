#include "tests/play/CraftedSaves.h"

namespace play {

std::string LastLevelSave(int lastLevel) {
  return "<game state=\"1\" level=\"" + std::to_string(lastLevel) +
         "\">\n"
         "<hero name=\"Wanderer\" face=\"textures\\heroes\\sylph_male.tga\" move=\"fly\" distance=\"3\" "
         "gold=\"1641\" kill=\"9\" goldall=\"941\" experienceall=\"410\">\n"
         "<evol experience=\"410\" slot=\"4\" pos_x=\"5\" pos_y=\"0\">\n"
         "<data type=\"now\" air=\"14\" fire=\"6\" earth=\"5\" water=\"8\" health=\"108\">\n"
         "<data type=\"start\" air=\"14\" fire=\"6\" earth=\"5\" water=\"8\" health=\"108\">\n"
         "<data type=\"self\" air=\"14\" fire=\"6\" earth=\"5\" water=\"8\" health=\"108\">\n"
         "<data type=\"skill\" air=\"1\" fire=\"2\" earth=\"2\" water=\"2\" health=\"1\">\n"
         "<spell id=\"315\" selected=\"1\">\n"
         "</hero>\n"
         "<desk gold=\"1641\">\n"
         "<monster id=\"frogling\">\n"
         "<evol experience=\"27\" pos_x=\"5\" pos_y=\"2\">\n"
         "<data type=\"now\" air=\"4\" fire=\"4\" earth=\"4\" water=\"4\" health=\"10\">\n"
         "<data type=\"self\" air=\"4\" fire=\"4\" earth=\"4\" water=\"4\" health=\"10\">\n"
         "</monster>\n"
         "</desk>\n"
         "</game>\n";
}

}  // namespace play
