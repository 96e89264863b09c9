// The values the battle screens show step one unit a frame toward
// a fighter's true experience, health and element values, so that changes
// are seen counting up or down. A shown value never passes its cap.
#pragma once

struct YPlayerData;

// One step of every shown value toward its true value.
void StepDisplayedCounters(YPlayerData& fighter);
// True while any shown value has not yet reached its true value (or, for a
// value above its cap, the cap).
bool CountersAnimating(const YPlayerData& fighter);
