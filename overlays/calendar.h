#pragma once
#include <cstdint>
#include <string>

#include "overlays/calendar_date.h"

class SceneNode;

// Day of the month of the newest sheet; -1 until the first one is built.
extern int32_t lastCalendarDay;

// "calendar.pak" entry of a cell value: "null" for 0, else the day number.
const std::string& dayNumberEntry(int32_t cellValue);
// "calendar.pak" entry of a zero-based month: "m1" to "m12".
const std::string& monthNameEntry(int32_t month);

// The calendar node at (x, y, z) with a one-shot event that builds the
// plain variant (weeks from Sunday) or the "_rus" variant (weeks from
// Monday) on the first frame. The caller appends it to the overlay root.
SceneNode* createCalendarNode(double x, double y, double z, bool mondayFirst);

// Event callbacks. Selector 0 means the "_rus" variant, anything else the
// plain one.
// One-shot: background and the updater node.
void calendarBuilder(int32_t);
// Permanent: builds a new sheet when the day of the month changes.
void calendarUpdater(int32_t);
// Permanent, selector = the sheet's day: closes the sheet when the day ends.
void calendarPageWatcher(int32_t);
