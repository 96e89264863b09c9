#include "platform/Clipboard.h"

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/Cp1252.h"

namespace platform {

namespace {
struct SdlFree {
  void operator()(char* text) const { SDL_free(text); }
};
}  // namespace

std::string GetClipboardText() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_HasClipboardText() == SDL_FALSE) return {};
  const std::unique_ptr<char, SdlFree> utf8(SDL_GetClipboardText());
  if (!utf8) return {};
  return Utf8ToCp1252(utf8.get());
}

bool SetClipboardText(std::string_view text) {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
  return SDL_SetClipboardText(Cp1252ToUtf8(text).c_str()) == 0;
}

}  // namespace platform
