#pragma once
#include <cstdint>

// The value of the time component each slot kind last showed; -1 at start,
// so every slot builds its glyph on its first tick. A 24-hour kind and its
// 12-hour counterpart share one memory (only one form exists in a run).
extern int32_t lastHourTens;
extern int32_t lastHourOnes;
extern int32_t lastMinuteTens;
extern int32_t lastMinuteOnes;
extern int32_t lastSecond;
extern int32_t lastAmPmHour;

// Sets every slot memory back to -1.
void resetClockSlotMemories();

// Permanent event callbacks; the event's selector says which hand or slot.
// Turns the hand node to the local time (writes the node's delta rotation).
void clockHandUpdater(int32_t);
// Adds a new glyph node to the slot node when its time component changed.
void clockSlotUpdater(int32_t);
// Closes its glyph node once the component it shows has moved on.
void clockGlyphWatcher(int32_t);
