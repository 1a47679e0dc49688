#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "overlays/calendar.h"
#include "overlays/calendar_date.h"
#include "tests/content/content_fixture.h"
#include "tests/content/test_archives.h"

namespace {

std::tm dateOf(int year, int month, int day) {
  std::tm time{};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  return time;
}

struct Span {
  int first, last;  // cells of day 1 and of the last day
};

// Checks that the grid holds the days in one run and zeros elsewhere.
Span monthSpan(const CalendarGrid grid) {
  Span span{-1, -1};
  for (int i = 0; i < kCalendarCells; ++i) {
    if (grid[i] == 0) continue;
    if (span.first < 0) span.first = i;
    EXPECT_EQ(grid[i], i - span.first + 1) << "cell " << i;
    span.last = i;
  }
  return span;
}

Span sundayFirst(int year, int month) {
  CalendarDate date;
  CalendarGrid grid;
  date.fillSundayFirstAt(dateOf(year, month, 10), grid);
  return monthSpan(grid);
}

Span mondayFirst(int year, int month) {
  CalendarDate date;
  CalendarGrid grid;
  date.fillMondayFirstAt(dateOf(year, month, 10), grid);
  return monthSpan(grid);
}

TEST(CalendarDate, MonthLengthsFollowTheGregorianLeapRule) {
  EXPECT_EQ(daysInMonth(dateOf(2027, 2, 1)), 28);
  EXPECT_EQ(daysInMonth(dateOf(2028, 2, 1)), 29);
  EXPECT_EQ(daysInMonth(dateOf(2100, 2, 1)), 28);
  EXPECT_EQ(daysInMonth(dateOf(2000, 2, 1)), 29);
  EXPECT_EQ(daysInMonth(dateOf(2400, 2, 1)), 29);
  EXPECT_EQ(daysInMonth(dateOf(2026, 12, 1)), 31);
  EXPECT_EQ(daysInMonth(dateOf(2026, 4, 1)), 30);
  std::tm broken = dateOf(2026, 1, 1);
  broken.tm_mon = 13;  // no month: wraps instead of reading past the table
  EXPECT_EQ(daysInMonth(broken), 28);
}

TEST(CalendarDate, Weekdays) {
  EXPECT_EQ(dayOfWeek(dateOf(1970, 1, 1)), 4);
  EXPECT_EQ(dayOfWeek(dateOf(2000, 2, 29)), 2);
  EXPECT_EQ(dayOfWeek(dateOf(2100, 3, 1)), 1);
  EXPECT_EQ(firstWeekdayOfMonth(dateOf(2026, 12, 25)), 2);
  std::tm broken{};
  broken.tm_year = -4000;
  broken.tm_mday = -50;
  int32_t weekday = dayOfWeek(broken);
  EXPECT_TRUE(weekday >= 0 && weekday <= 6);
}

// Day 1 in the first and last columns and one column either side, for
// both week starts: cells of day 1 and of the last day.
TEST(CalendarDate, GridsForBothWeekStarts) {
  const struct {
    int year, month;
    Span sunday, monday;
  } months[] = {
      {2026, 2, {0, 27}, {6, 33}},   // starts on a Sunday
      {2026, 6, {1, 30}, {0, 29}},   // on a Monday
      {2026, 12, {2, 32}, {1, 31}},  // on a Tuesday
      {2026, 5, {5, 35}, {4, 34}},   // on a Friday
      {2026, 8, {6, 36}, {5, 35}},   // on a Saturday: six rows
      {2100, 2, {1, 28}, {0, 27}},   // 28 days in a year of hundreds
  };
  for (const auto& m : months) {
    Span sunday = sundayFirst(m.year, m.month), monday = mondayFirst(m.year, m.month);
    std::string at = std::to_string(m.year) + "-" + std::to_string(m.month);
    EXPECT_EQ(sunday.first, m.sunday.first) << at;
    EXPECT_EQ(sunday.last, m.sunday.last) << at;
    EXPECT_EQ(monday.first, m.monday.first) << at;
    EXPECT_EQ(monday.last, m.monday.last) << at;
  }
}

TEST(CalendarDate, RecordCarriesTheDate) {
  CalendarDate date;
  CalendarGrid grid;
  date.fillMondayFirstAt(dateOf(2026, 12, 15), grid);
  EXPECT_EQ(date.year, 2026);
  EXPECT_EQ(date.month, 11);
  EXPECT_EQ(date.day, 15);
  date.reset();
  EXPECT_EQ(date.year + date.month + date.day, 0);
  EXPECT_EQ(dayNumberEntry(0), "null");
  EXPECT_EQ(dayNumberEntry(31), "31");
  EXPECT_EQ(dayNumberEntry(99), "null");
  EXPECT_EQ(monthNameEntry(0), "m1");
  EXPECT_EQ(monthNameEntry(11), "m12");
}

class CalendarNodeTest : public ContentTest {
 protected:
  void TearDown() override {
    delete calendar;
    ContentTest::TearDown();
  }
  SceneNode* updater() const { return calendar->children[1]; }
  SceneNode* calendar = nullptr;
};

TEST_F(CalendarNodeTest, SheetShowsTheMonthWithTodayHighlightedFirst) {
  setLocalTime(2026, 12, 15, 9, 0, 0);
  calendar = createCalendarNode(0, 0, 0, false);
  drawAt(*calendar, 0);
  ASSERT_EQ(calendar->children.size(), 2u);
  EXPECT_EQ(loadedEntry(calendar->children[0]), "fon");
  ASSERT_EQ(updater()->children.size(), 1u);
  const SceneNode* sheet = updater()->children[0];
  ASSERT_EQ(sheet->children.size(), 45u);
  EXPECT_EQ(loadedEntry(sheet->children[0]), "day");
  EXPECT_EQ(loadedEntry(sheet->children[1]), "m12");
  int highlights = 0;
  for (size_t i = 2; i < sheet->children.size(); ++i) {
    if (loadedEntry(sheet->children[i]) != "sel") continue;
    ++highlights;
    ASSERT_LT(i + 1, sheet->children.size());
    const SceneNode* number = sheet->children[i + 1];
    EXPECT_EQ(loadedEntry(number), "15");
    EXPECT_EQ(number->transform.x, sheet->children[i]->transform.x);
    EXPECT_EQ(number->transform.y, sheet->children[i]->transform.y);
    // Day 15 of December 2026 is cell 16: column 2, row 2.
    EXPECT_EQ(number->transform.x, -24);
    EXPECT_EQ(number->transform.y, -16);
  }
  EXPECT_EQ(highlights, 1);
}

// What the one open sheet shows: month, highlighted day and where it is.
struct Shown {
  std::string month, day;
  double x = 0, y = 0;
};

Shown openSheet(const SceneNode* updater) {
  std::vector<const SceneNode*> open;
  for (const SceneNode* sheet : updater->children) {
    if (!sheet->closeRequested) open.push_back(sheet);
  }
  EXPECT_EQ(open.size(), 1u);
  Shown shown;
  if (open.empty()) return shown;
  const SceneNode* sheet = open.back();
  shown.month = loadedEntry(sheet->children[1]);
  for (size_t i = 2; i + 1 < sheet->children.size(); ++i) {
    if (loadedEntry(sheet->children[i]) != "sel") continue;
    shown.day = loadedEntry(sheet->children[i + 1]);
    shown.x = sheet->children[i]->transform.x;
    shown.y = sheet->children[i]->transform.y;
  }
  return shown;
}

// Jumps of the clock (a suspend, a date set by hand) that keep the day of
// the month still turn the sheet.
TEST_F(CalendarNodeTest, SheetFollowsEveryChangeOfTheDate) {
  setLocalTime(2030, 6, 15, 23, 0, 0);
  calendar = createCalendarNode(0, 0, 0, true);
  drawAt(*calendar, 0);
  EXPECT_EQ(loadedEntry(calendar->children[0]), "fon_rus");
  EXPECT_EQ(loadedEntry(updater()->children[0]->children[0]), "day_rus");
  struct Step {
    int year, month, day;
    const char* monthEntry;
  };
  const Step steps[] = {{2030, 7, 15, "m7"}, {2031, 2, 15, "m2"}, {2031, 2, 16, "m2"},
                        {2032, 2, 16, "m2"}};
  uint32_t time = 0;
  Shown before = openSheet(updater());
  EXPECT_EQ(before.month, "m6");
  for (const Step& step : steps) {
    setLocalTime(step.year, step.month, step.day, 9, 0, 0);
    drawAt(*calendar, time += 100);
    Shown shown = openSheet(updater());
    std::string at = std::to_string(step.year) + "-" + std::to_string(step.month);
    EXPECT_EQ(shown.month, step.monthEntry) << at;
    EXPECT_EQ(shown.day, std::to_string(step.day)) << at;
    // A year later the same date falls on another weekday: another cell.
    EXPECT_TRUE(shown.x != before.x || shown.y != before.y || shown.month != before.month) << at;
    before = shown;
  }
}

}  // namespace
