#include "tools/soak/overlay_check.h"

#include <cmath>
#include <sstream>

#include "app/saver_run.h"
#include "overlays/calendar.h"
#include "overlays/clock_face.h"
#include "overlays/clock_slots.h"
#include "scene/scene_node.h"

namespace {

// The first event of `node` that runs `callback`, or nullptr.
const NodeEvent* eventWith(const SceneNode& node, EventCallback callback) {
  for (const NodeEvent& event : node.timeline.events) {
    if (event.callback == callback) return &event;
  }
  return nullptr;
}

void checkSlot(const SceneNode& slot, int32_t kind, const std::tm& now, std::ostringstream& out) {
  int32_t value = 0;
  ClockGlyph expected;
  if (!clockSlotValue(kind, now, value) || !chooseClockGlyph(kind, value, expected)) return;
  int live = 0;
  for (const SceneNode* glyph : slot.children) {
    if (glyph->closeRequested) continue;
    ++live;
    const NodeEvent* watcher = eventWith(*glyph, clockGlyphWatcher);
    if (watcher == nullptr || watcher->selector != expected.watcherSelector ||
        watcher->aux != expected.watchedValue) {
      out << "clock slot " << kind << " shows a glyph for another time than value " << value
          << "\n";
    }
  }
  if (live != 1) out << "clock slot " << kind << " has " << live << " live glyphs\n";
}

void checkHand(const SceneNode& hand, int32_t which, const std::tm& now, std::ostringstream& out) {
  int32_t degrees = 0;
  if (!clockHandAngle(which, now, degrees)) return;
  if (std::fabs(hand.timeline.delta.rz - degrees) > 1e-9) {
    out << "clock hand " << which << " at " << hand.timeline.delta.rz << " degrees, not "
        << degrees << "\n";
  }
}

void checkCalendar(const SceneNode& updater, const std::tm& now, std::ostringstream& out) {
  int today = 0, live = 0;
  for (const SceneNode* sheet : updater.children) {
    if (sheet->closeRequested) continue;
    ++live;
    const NodeEvent* watcher = eventWith(*sheet, calendarPageWatcher);
    if (watcher != nullptr && watcher->selector == calendarDateKey(now)) ++today;
  }
  if (live != 1 || today != 1) {
    out << "calendar shows " << live << " sheets, " << today << " of date "
        << calendarDateKey(now) << "\n";
  }
}

void walk(const SceneNode& node, const std::tm& now, std::ostringstream& out) {
  if (node.closeRequested) return;
  if (const NodeEvent* slot = eventWith(node, clockSlotUpdater)) checkSlot(node, slot->selector, now, out);
  if (const NodeEvent* hand = eventWith(node, clockHandUpdater)) checkHand(node, hand->selector, now, out);
  if (eventWith(node, calendarUpdater) != nullptr) checkCalendar(node, now, out);
  for (const SceneNode* child : node.children) walk(*child, now, out);
}

}  // namespace

std::string overlayMismatches(const std::tm& now) {
  std::ostringstream out;
  if (overlayRoot != nullptr) walk(*overlayRoot, now, out);
  return out.str();
}
