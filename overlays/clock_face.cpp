#include "overlays/clock_face.h"

namespace {

// The entry name of one decimal digit. Out-of-range values (a broken time
// source) still give a digit instead of a name "clock.pak" lacks.
std::string digitEntry(int32_t value) {
  int32_t digit = value % 10;
  if (digit < 0) digit = -digit;
  return std::string(1, static_cast<char>('0' + digit));
}

// 0 to 23 on a 12-hour face: 0 and 12 read as 12, 13 to 23 as 1 to 11.
int32_t twelveHour(int32_t hour) { return hour > 12 ? hour - 12 : hour; }

std::string hourTens12(int32_t hour) {
  int32_t h = twelveHour(hour);
  std::string digit = h == 0 ? "1" : digitEntry(h / 10);
  return digit == "0" ? std::string() : digit;
}

std::string hourOnes12(int32_t hour) {
  int32_t h = twelveHour(hour);
  return h == 0 ? "2" : digitEntry(h % 10);
}

}  // namespace

bool clockHandAngle(int32_t hand, const std::tm& time, int32_t& degrees) {
  switch (hand) {
    case SecondHand: degrees = -6 * time.tm_sec; return true;
    case MinuteHand: degrees = -6 * time.tm_min; return true;
    case HourHand: degrees = -30 * time.tm_hour - time.tm_min / 2; return true;
    default: return false;
  }
}

bool clockSlotValue(int32_t kind, const std::tm& time, int32_t& value) {
  switch (kind) {
    case HourTens24:
    case HourOnes24:
    case HourTens12:
    case HourOnes12:
    case AmPm: value = time.tm_hour; return true;
    case MinuteTens:
    case MinuteOnes: value = time.tm_min; return true;
    case SecondsSeparator: value = time.tm_sec; return true;
    default: return false;
  }
}

bool chooseClockGlyph(int32_t kind, int32_t value, ClockGlyph& glyph) {
  glyph.watchedValue = value;
  glyph.watcherSelector = 1;
  switch (kind) {
    case HourTens24:
      // Hour 0 shows "00"; hours 1 to 9 leave the tens slot empty.
      glyph.entry = (value / 10 == 0 && value != 0) ? std::string() : digitEntry(value / 10);
      return true;
    case HourOnes24: glyph.watcherSelector = 2; glyph.entry = digitEntry(value); return true;
    case MinuteTens: glyph.watcherSelector = 3; glyph.entry = digitEntry(value / 10); return true;
    case MinuteOnes: glyph.watcherSelector = 4; glyph.entry = digitEntry(value); return true;
    case SecondsSeparator:
      glyph.watcherSelector = 5;
      glyph.entry = value % 2 != 0 ? "dot" : "";
      return true;
    case HourTens12: glyph.entry = hourTens12(value); return true;
    case HourOnes12: glyph.entry = hourOnes12(value); return true;
    case AmPm: glyph.entry = value >= 12 ? "pm" : "am"; return true;
    default: return false;
  }
}

bool clockGlyphOutdated(int32_t selector, int32_t watchedValue, const std::tm& time) {
  switch (selector) {
    case 1:
    case 2: return watchedValue != time.tm_hour;
    case 3:
    case 4: return watchedValue != time.tm_min;
    case 5: return watchedValue != time.tm_sec;
    default: return false;
  }
}
