#pragma once
#include <cstdint>
#include <ctime>

// A month sheet is 6 weeks of 7 days, row-major: cell i is row i / 7 and
// column i % 7. A cell holds its day number, or 0 outside the month.
constexpr int kCalendarCells = 42;
using CalendarGrid = int32_t[kCalendarCells];

// Length of the month of `tm_mon` in the year `tm_year` + 1900, with the
// Gregorian leap rule (2000 and 2400 leap, 2100 not). A month outside 0..11
// counts as the month it would be after wrapping into the year.
int32_t daysInMonth(const std::tm& time);

// Weekday of `tm_mday`/`tm_mon`/`tm_year`: 0 Sunday, 1 Monday ... 6 Saturday.
int32_t dayOfWeek(const std::tm& time);

// Weekday of day 1 of the month of `time`.
int32_t firstWeekdayOfMonth(const std::tm& time);

// The date a sheet shows, and its grid.
struct CalendarDate {
  int32_t year = 0;   // full year
  int32_t day = 0;    // 1 to 31
  int32_t month = 0;  // 0 to 11

  void reset();

  // Set the record from the local time and fill the grid, weeks starting on
  // Sunday (day 1 in the column of its weekday) or on Monday (Sunday last).
  void fillSundayFirst(CalendarGrid grid);
  void fillMondayFirst(CalendarGrid grid);

  // The same from a given time rather than the local clock.
  void fillSundayFirstAt(const std::tm& time, CalendarGrid grid);
  void fillMondayFirstAt(const std::tm& time, CalendarGrid grid);

 private:
  void setFrom(const std::tm& time);
};
