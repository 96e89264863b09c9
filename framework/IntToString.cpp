#include "framework/IntToString.h"

std::string IntToString(int value) { return std::to_string(value); }
