// The program's entry point.
#include "game/ProgramStart.h"

int main(int argc, char** argv) {
  return ProgramMain(JoinCommandLine(argc, argv));
}
