#include "platform/DesktopEvents.h"

#include <SDL.h>

#include "platform/InputTranslation.h"
#include "platform/MessageQueue.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"

namespace platform {

namespace {

void PostAll(const std::vector<Message>& messages) {
  for (const Message& message : messages) PostMessage(message);
}

void PostActivate(Window& window, ActivateState state) {
  const std::uint32_t minimised = window.IsMinimised() ? 1 : 0;
  PostMessage({&window, msg::Activate, static_cast<std::uintptr_t>(MakeLong(state, minimised)), 0});
}

void TranslateWindowEvent(const SDL_WindowEvent& event) {
  Window* window = Window::Find(event.windowID);
  if (window == nullptr) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      window->HandleDesktopResize(event.data1, event.data2);
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
      window->ReportSize();
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      PostActivate(*window, Active);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      PostActivate(*window, Inactive);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      window->NoteExposed();
      PostMessage({window, msg::Paint, 0, 0});
      break;
    case SDL_WINDOWEVENT_CLOSE:
      PostMessage({window, msg::Close, 0, 0});
      break;
    case SDL_WINDOWEVENT_LEAVE:  // coming back, the pointer moves in
      PostMessage({window, msg::MouseLeave, 0, 0});
      break;
    default:
      break;
  }
}

void TranslateKey(const SDL_KeyboardEvent& event) {
  Window* window = Window::FindForKeyboard(event.windowID);
  if (window == nullptr) return;
  const SDL_Keysym& sym = event.keysym;
  KeyStroke stroke;
  stroke.virtualKey = VirtualKeyFromSdl(sym.sym, sym.scancode, (sym.mod & KMOD_NUM) != 0);
  stroke.pressed = event.type == SDL_KEYDOWN;
  stroke.repeat = event.repeat != 0;
  stroke.altHeld = (sym.mod & KMOD_ALT) != 0 || stroke.virtualKey == vk::Menu;
  stroke.ctrlHeld = (sym.mod & KMOD_CTRL) != 0;
  PostAll(KeyMessages(window, stroke));
}

void TranslateText(const SDL_TextInputEvent& event) {
  Window* window = Window::FindForKeyboard(event.windowID);
  if (window == nullptr) return;
  // Left Alt with a letter is a menu accelerator and Ctrl with one a control
  // code (sent with the key), never typed text. Right Alt stays, alone or
  // with Ctrl: many layouts type characters with it (AltGr).
  const SDL_Keymod mods = SDL_GetModState();
  if ((mods & KMOD_LALT) != 0) return;
  if ((mods & KMOD_CTRL) != 0 && (mods & KMOD_RALT) == 0) return;
  PostAll(TextMessages(window, event.text));
}

void TranslateButton(const SDL_MouseButtonEvent& event) {
  Window* window = Window::Find(event.windowID);
  if (window == nullptr) return;
  MouseButton button = MouseButton::Left;
  switch (event.button) {
    case SDL_BUTTON_LEFT:
      button = MouseButton::Left;
      break;
    case SDL_BUTTON_RIGHT:
      button = MouseButton::Right;
      break;
    case SDL_BUTTON_MIDDLE:
      button = MouseButton::Middle;
      break;
    default:
      return;
  }
  PostMessage(MouseButtonMessage(window, button, event.type == SDL_MOUSEBUTTONDOWN, event.x, event.y));
}

void TranslateMotion(const SDL_MouseMotionEvent& event) {
  if (Window* window = Window::Find(event.windowID)) PostMessage(MouseMoveMessage(window, event.x, event.y));
}

void TranslateWheel(const SDL_MouseWheelEvent& event) {
  Window* window = Window::Find(event.windowID);
  if (window == nullptr) return;
  float notches = event.preciseY;
  if (event.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
  if (const auto message = MouseWheelMessage(window, notches)) PostMessage(*message);
}

}  // namespace

void PumpDesktopEvents() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) TranslateDesktopEvent(event);
}

void TranslateDesktopEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      PostQuitMessage(0);
      break;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key);
      break;
    case SDL_TEXTINPUT:
      TranslateText(event.text);
      break;
    case SDL_MOUSEMOTION:
      TranslateMotion(event.motion);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateButton(event.button);
      break;
    case SDL_MOUSEWHEEL:
      TranslateWheel(event.wheel);
      break;
    default:
      break;
  }
}

}  // namespace platform
