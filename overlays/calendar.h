#pragma once
#include <cstdint>
#include <ctime>
#include <string>

#include "overlays/calendar_date.h"

class SceneNode;

// The date of the newest sheet (see calendarDateKey); -1 until the first
// one is built.
extern int32_t lastCalendarDate;

// A local date as one number, YYYYMMDD. A sheet is built for, and closed
// after, the whole date: a clock set forward by a month (or a suspend of
// one) to the same day of the month still turns the sheet.
int32_t calendarDateKey(const std::tm& time);

// Forgets the newest sheet's date, as at a fresh start.
void resetCalendarState();

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
// Permanent: builds a new sheet when the date changes.
void calendarUpdater(int32_t);
// Permanent, selector = the sheet's date key: closes the sheet when the
// date is another.
void calendarPageWatcher(int32_t);
