// Decimal text of an integer, as the game's labels and files write it.
#pragma once

#include <string>

std::string IntToString(int value);
