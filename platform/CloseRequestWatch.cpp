#include "platform/CloseRequestWatch.h"

#include <SDL.h>

#include <array>
#include <utility>

#include "platform/MessageQueue.h"

namespace platform {

namespace {

bool IsCloseRequest(const SDL_Event& event) {
  return event.type == SDL_QUIT ||
         (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
}

// Called by SDL for every event it queues, on the thread that reads them.
int SDLCALL Watch(void* requested, SDL_Event* event) {
  if (IsCloseRequest(*event)) *static_cast<bool*>(requested) = true;
  return 0;
}

// Looks through the events SDL holds without taking any.
bool CloseRequestPending() {
  std::array<SDL_Event, 256> events;
  for (const auto& [first, last] : {std::pair{SDL_QUIT, SDL_QUIT}, std::pair{SDL_WINDOWEVENT, SDL_WINDOWEVENT}}) {
    const int count = SDL_PeepEvents(events.data(), static_cast<int>(events.size()), SDL_PEEKEVENT, first, last);
    for (int i = 0; i < count; ++i)
      if (IsCloseRequest(events[static_cast<std::size_t>(i)])) return true;
  }
  return false;
}

}  // namespace

CloseRequestWatch::CloseRequestWatch() {
  requested_ = CloseOrQuitQueued();
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  requested_ = requested_ || CloseRequestPending();
  SDL_AddEventWatch(Watch, &requested_);
  watching_ = true;
}

CloseRequestWatch::~CloseRequestWatch() {
  if (watching_) SDL_DelEventWatch(Watch, &requested_);
}

bool CloseRequestWatch::Requested() {
  if (watching_) SDL_PumpEvents();
  return requested_;
}

}  // namespace platform
