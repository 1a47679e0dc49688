#include "overlays/clock_slots.h"

#include "overlays/clock_face.h"
#include "platform/local_time.h"
#include "scene/event_recipes.h"
#include "scene/frame_globals.h"
#include "scene/scene_node.h"

int32_t lastHourTens = -1;
int32_t lastHourOnes = -1;
int32_t lastMinuteTens = -1;
int32_t lastMinuteOnes = -1;
int32_t lastSecond = -1;
int32_t lastAmPmHour = -1;

namespace {

int32_t* slotMemory(int32_t kind) {
  switch (kind) {
    case HourTens24:
    case HourTens12: return &lastHourTens;
    case HourOnes24:
    case HourOnes12: return &lastHourOnes;
    case MinuteTens: return &lastMinuteTens;
    case MinuteOnes: return &lastMinuteOnes;
    case SecondsSeparator: return &lastSecond;
    case AmPm: return &lastAmPmHour;
    default: return nullptr;
  }
}

SceneNode* makeGlyph(const ClockGlyph& glyph) {
  SceneNode* node = new SceneNode();
  if (!glyph.entry.empty()) node->loadModel("clock.pak", glyph.entry);
  startEvents(node, {permanentWatcher(clockGlyphWatcher, glyph.watcherSelector, glyph.watchedValue)});
  return node;
}

}  // namespace

void resetClockSlotMemories() {
  lastHourTens = lastHourOnes = lastMinuteTens = lastMinuteOnes = -1;
  lastSecond = lastAmPmHour = -1;
}

void clockHandUpdater(int32_t) {
  std::tm now = readLocalTime();
  int32_t degrees = 0;
  if (!clockHandAngle(currentEvent->selector, now, degrees)) return;
  currentEvent->target->setRotation(0, 0, degrees);
}

void clockSlotUpdater(int32_t) {
  int32_t kind = currentEvent->selector;
  int32_t* memory = slotMemory(kind);
  int32_t value = 0;
  if (memory == nullptr || !clockSlotValue(kind, readLocalTime(), value)) return;
  if (value == *memory) return;
  *memory = value;
  ClockGlyph glyph;
  chooseClockGlyph(kind, value, glyph);
  currentNode->addChild(makeGlyph(glyph));
}

void clockGlyphWatcher(int32_t) {
  if (clockGlyphOutdated(currentEvent->selector, currentEvent->aux, readLocalTime())) {
    currentNode->requestClose();
  }
}
