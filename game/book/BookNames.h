// The names the book looks up in the shipped data: its shaders, the page
// texture of its turning leaf and the locale keys of the help's generated
// sections (a test checks that each is shipped).
#pragma once

#include <array>

namespace book_names {
inline constexpr const char* kBookShader = "book";          // the open book, with its own texture
inline constexpr const char* kBookmarkShader = "bookmark";  // the back link
inline constexpr const char* kBackgroundShader = "tileset_back";
inline constexpr const char* kPagesTexture = "textures\\ui\\pages.tga";
// The titles of the sections of spells, special spells and artifacts.
inline constexpr std::array<const char*, 3> kSectionTitleKeys = {"hlp_spell", "hlp_specialspell",
                                                                 "hlp_artifact"};
// The font of the generated pages and their links.
inline constexpr const char* kFont = "mainfont";
}  // namespace book_names
