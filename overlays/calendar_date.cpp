#include "overlays/calendar_date.h"

#include "platform/local_time.h"

namespace {

const int32_t kMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool isLeapYear(int32_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Month 0..11, whatever `tm_mon` holds.
int32_t wrappedMonth(int32_t month) { return ((month % 12) + 12) % 12; }

// Day `first` of the month lands in column `column`; the other cells of the
// month follow it, everything else is 0.
void fillFrom(int32_t column, int32_t length, CalendarGrid grid) {
  for (int32_t i = 0; i < kCalendarCells; ++i) {
    grid[i] = (i >= column && i < column + length) ? i - column + 1 : 0;
  }
}

}  // namespace

int32_t daysInMonth(const std::tm& time) {
  int32_t month = wrappedMonth(time.tm_mon);
  if (month == 1 && isLeapYear(time.tm_year + 1900)) return 29;
  return kMonthLengths[month];
}

int32_t dayOfWeek(const std::tm& time) {
  int32_t month = wrappedMonth(time.tm_mon);
  // January and February count as months 11 and 12 of the year before.
  int32_t a = (13 - month) / 12;
  int32_t y = time.tm_year + 1900 - a;
  int32_t m = month + 1 + 12 * a - 2;
  int32_t sum = time.tm_mday + y + y / 4 - y / 100 + y / 400 + (31 * m) / 12 + 7000;
  return ((sum % 7) + 7) % 7;
}

int32_t firstWeekdayOfMonth(const std::tm& time) {
  std::tm first = time;
  first.tm_mday = 1;
  return dayOfWeek(first);
}

void CalendarDate::reset() { year = day = month = 0; }

void CalendarDate::setFrom(const std::tm& time) {
  year = time.tm_year + 1900;
  month = wrappedMonth(time.tm_mon);
  day = time.tm_mday;
}

void CalendarDate::fillSundayFirstAt(const std::tm& time, CalendarGrid grid) {
  setFrom(time);
  fillFrom(firstWeekdayOfMonth(time), daysInMonth(time), grid);
}

void CalendarDate::fillMondayFirstAt(const std::tm& time, CalendarGrid grid) {
  setFrom(time);
  int32_t first = firstWeekdayOfMonth(time);
  if (first == 0) first = 7;  // Sunday ends the week
  fillFrom(first - 1, daysInMonth(time), grid);
}

void CalendarDate::fillSundayFirst(CalendarGrid grid) { fillSundayFirstAt(readLocalTime(), grid); }

void CalendarDate::fillMondayFirst(CalendarGrid grid) { fillMondayFirstAt(readLocalTime(), grid); }
