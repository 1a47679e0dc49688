#include "overlays/clock_builders.h"

#include "overlays/clock_face.h"
#include "overlays/clock_slots.h"
#include "scene/draw_hooks.h"
#include "scene/frame_globals.h"
#include "scene/event_recipes.h"
#include "scene/scene_node.h"

namespace {

// Where the digital slots sit along the plate, left to right.
constexpr double kAmPmSlotX = 11.432;
constexpr double kHourTensX = -6.483;
constexpr double kHourOnesX = -2.498;
constexpr double kSeparatorX = 0.0;
constexpr double kMinuteTensX = 2.523;
constexpr double kMinuteOnesX = 6.466;

// The 12-hour plate is wider by the AM/PM plate; the clock shifts left so
// that it still ends at the corner.
constexpr double kAmPmPlateShift = -5.186;

// A node with one model of "clock.pak" (none for nullptr).
SceneNode* overlayPart(const char* entry) {
  SceneNode* node = new SceneNode();
  if (entry != nullptr) node->loadModel("clock.pak", entry);
  return node;
}

void addSlot(SceneNode* clock, double x, int32_t kind) {
  SceneNode* slot = new SceneNode();
  slot->transform.setPosition(x, 0, 0);
  startEvents(slot, {permanentMotion(clockSlotUpdater, kind)});
  slot->addHook(noDepthHook, 0);
  clock->addChild(slot);
}

// How far the clock's face sits from its corner point: the dial's centre up
// and left by its radius, the digital plate left of it. Given when the node
// is made, not by its builder: the builder runs once the node's place is
// already applied for the frame, so the first frame would show the face
// where it does not belong, half off the screen.
void offsetFace(Transform& transform, ClockForm form) {
  switch (form) {
    case ClockForm::Analog: transform.translateBy(-9.3, 9.0, 0); break;
    case ClockForm::Digital24Hour: transform.translateBy(-10.0, 1.0, 0); break;
    case ClockForm::Digital12Hour: transform.translateBy(-10.0 + kAmPmPlateShift, 1.0, 0); break;
  }
}

}  // namespace

SceneNode* createClockNode(double x, double y, double z, ClockForm form) {
  SceneNode* clock = new SceneNode();
  clock->transform.setPosition(x, y, z);
  offsetFace(clock->transform, form);
  switch (form) {
    case ClockForm::Analog: startEvents(clock, {callbackEvent(analogClockBuilder, -1.0)}); break;
    case ClockForm::Digital24Hour: startEvents(clock, {oneShotMotion(digitalClockBuilder, 1)}); break;
    case ClockForm::Digital12Hour: startEvents(clock, {oneShotMotion(digitalClockBuilder, 0)}); break;
  }
  return clock;
}

void analogClockBuilder(int32_t) {
  SceneNode* clock = currentNode;
  SceneNode* dial = overlayPart("ciferblat");
  dial->addHook(noDepthHook, 0);
  clock->addChild(dial);
  const struct {
    const char* entry;
    int32_t hand;
  } hands[] = {{"sec", SecondHand}, {"min", MinuteHand}, {"chas", HourHand}};
  for (const auto& hand : hands) {
    SceneNode* node = overlayPart(hand.entry);
    startEvents(node, {permanentMotion(clockHandUpdater, hand.hand)});
    node->addHook(noDepthHook, 0);
    clock->addChild(node);
  }
}

void digitalClockBuilder(int32_t) {
  SceneNode* clock = currentNode;
  bool hour24 = currentEvent->selector != 0;
  SceneNode* plate = new SceneNode();
  plate->loadModel("clock.pak", hour24 ? "podlozka" : "podlozka_am");
  plate->addHook(noDepthHook, 0);
  clock->addChild(plate);
  if (!hour24) addSlot(clock, kAmPmSlotX, AmPm);
  addSlot(clock, kHourTensX, hour24 ? HourTens24 : HourTens12);
  addSlot(clock, kHourOnesX, hour24 ? HourOnes24 : HourOnes12);
  addSlot(clock, kSeparatorX, SecondsSeparator);
  addSlot(clock, kMinuteTensX, MinuteTens);
  addSlot(clock, kMinuteOnesX, MinuteOnes);
}
