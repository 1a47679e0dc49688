#pragma once
#include <cstdint>
#include <ctime>
#include <string>

// What the clock shows for a given local time, decided without any node or
// GL state: hand angles, and which glyph each digit slot holds.

// Hands, by the selector of their updater event.
enum ClockHand : int32_t { SecondHand = 1, MinuteHand = 2, HourHand = 3 };

// Digit slots, by the selector of their updater event.
enum ClockSlotKind : int32_t {
  HourTens24 = 1,
  HourOnes24 = 2,
  MinuteTens = 3,
  MinuteOnes = 4,
  SecondsSeparator = 5,
  HourTens12 = 6,
  HourOnes12 = 7,
  AmPm = 8,
};

// The hand's angle in degrees about the viewer's axis, clockwise negative:
// -6 per second or minute, -30 per hour less one degree per two minutes.
// False for an unknown hand.
bool clockHandAngle(int32_t hand, const std::tm& time, int32_t& degrees);

// The time component a slot kind watches (hour, minute or second). False
// for an unknown kind.
bool clockSlotValue(int32_t kind, const std::tm& time, int32_t& value);

// The glyph node a slot creates when its component changes to `value`: the
// "clock.pak" entry (empty when the slot shows nothing, e.g. the tens of
// hours 1 to 9 or the separator in even seconds) and the selector and aux of
// the watcher that closes it when the component moves on.
struct ClockGlyph {
  std::string entry;
  int32_t watcherSelector = 0;
  int32_t watchedValue = 0;
};

// False for an unknown kind.
bool chooseClockGlyph(int32_t kind, int32_t value, ClockGlyph& glyph);

// True when a glyph watching (selector, watched value) is out of date at
// `time`. Unknown selectors never are.
bool clockGlyphOutdated(int32_t selector, int32_t watchedValue, const std::tm& time);
