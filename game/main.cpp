// The program's entry point.
#include "framework/ProgramStart.h"

int main(int argc, char** argv) { return ProgramMain(JoinCommandLine(argc, argv)); }
