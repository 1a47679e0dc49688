#include "overlays/calendar.h"

#include <vector>

#include "platform/local_time.h"
#include "scene/frame_globals.h"
#include "scene/event_recipes.h"
#include "scene/scene_node.h"

int32_t lastCalendarDate = -1;

namespace {

// Grid geometry in the sheet's units: cells 8 apart, the first row at 0.
constexpr double kCellPitch = 8.0;
constexpr double kFirstColumnX = -40.0;

std::vector<std::string> makeDayNumberEntries() {
  std::vector<std::string> entries{"null"};
  for (int day = 1; day <= 31; ++day) entries.push_back(std::to_string(day));
  return entries;
}

std::vector<std::string> makeMonthNameEntries() {
  std::vector<std::string> entries;
  for (int month = 1; month <= 12; ++month) entries.push_back("m" + std::to_string(month));
  return entries;
}

SceneNode* calendarPart(const std::string& entry, double x, double y) {
  SceneNode* node = new SceneNode();
  node->loadModel("calendar.pak", entry);
  node->transform.setPosition(x, y, 0);
  return node;
}

// Header, month name and the 42 cells, today's highlight before its number.
void fillSheet(SceneNode* sheet, bool mondayFirst) {
  CalendarDate date;
  date.reset();
  CalendarGrid grid;
  if (mondayFirst) {
    date.fillMondayFirst(grid);
  } else {
    date.fillSundayFirst(grid);
  }
  sheet->addChild(calendarPart(mondayFirst ? "day_rus" : "day", -16, 8));
  sheet->addChild(calendarPart(monthNameEntry(date.month), -16, 16));
  for (int i = 0; i < kCalendarCells; ++i) {
    double x = (i % 7) * kCellPitch + kFirstColumnX;
    double y = -(i / 7) * kCellPitch;
    SceneNode* cell = new SceneNode();
    cell->loadModel("calendar.pak", dayNumberEntry(grid[i]));
    // A day of 0 (no usable local time) must not mark the empty cells.
    if (grid[i] != 0 && grid[i] == date.day) sheet->addChild(calendarPart("sel", x, y));
    cell->transform.setPosition(x, y, 0);
    sheet->addChild(cell);
  }
}

}  // namespace

int32_t calendarDateKey(const std::tm& time) {
  // Wide arithmetic: a year beyond 200000 wraps the key instead of
  // overflowing, and still differs from its neighbours.
  int64_t key = (int64_t{time.tm_year} + 1900) * 10000 + (int64_t{time.tm_mon} + 1) * 100 +
                time.tm_mday;
  return static_cast<int32_t>(static_cast<uint32_t>(key));
}

void resetCalendarState() { lastCalendarDate = -1; }

const std::string& dayNumberEntry(int32_t cellValue) {
  static const std::vector<std::string> entries = makeDayNumberEntries();
  return entries[cellValue >= 1 && cellValue <= 31 ? cellValue : 0];
}

const std::string& monthNameEntry(int32_t month) {
  static const std::vector<std::string> entries = makeMonthNameEntries();
  return entries[((month % 12) + 12) % 12];
}

SceneNode* createCalendarNode(double x, double y, double z, bool mondayFirst) {
  SceneNode* calendar = new SceneNode();
  calendar->transform.setPosition(x, y, z);
  startEvents(calendar, {oneShotMotion(calendarBuilder, mondayFirst ? 0 : 1)});
  return calendar;
}

void calendarBuilder(int32_t) {
  SceneNode* calendar = currentNode;
  int32_t variant = currentEvent->selector;
  calendar->addChild(calendarPart(variant != 0 ? "fon" : "fon_rus", -16, -12));
  SceneNode* updater = new SceneNode();
  startEvents(updater, {permanentMotion(calendarUpdater, variant)});
  calendar->addChild(updater);
}

void calendarUpdater(int32_t) {
  int32_t today = calendarDateKey(readLocalTime());
  if (today == lastCalendarDate) return;
  lastCalendarDate = today;
  bool mondayFirst = currentEvent->selector == 0;
  SceneNode* sheet = new SceneNode();
  startEvents(sheet, {permanentMotion(calendarPageWatcher, today)});
  currentNode->addChild(sheet);
  fillSheet(sheet, mondayFirst);
}

void calendarPageWatcher(int32_t) {
  if (calendarDateKey(readLocalTime()) != currentEvent->selector) currentNode->requestClose();
}
