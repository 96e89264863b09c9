#include "render/YFont.h"

#include <utility>

YFont::YFont(std::string fontName) : name(std::move(fontName)) {}
