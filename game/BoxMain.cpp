// The entry point of the program that shows the game's message boxes.
#include "platform/MessageBoxProcess.h"

int main(int argc, char** argv) {
  return platform::RunMessageBoxProcess(argc, argv);
}
