// The SDL half of the message queue: reads the desktop's pending events and
// turns each into the window messages of the window it belongs to (queued,
// or for sizing sent straight to the procedure). Main thread only.
#pragma once

union SDL_Event;

namespace platform {

// Translates every pending desktop event; does nothing while the video
// subsystem is not running.
void PumpDesktopEvents();

// Translates one event. Events of windows that are gone are dropped.
void TranslateDesktopEvent(const SDL_Event& event);

}  // namespace platform
