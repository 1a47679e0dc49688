#include "train/firebox_car.h"

#include "scene/controllers.h"
#include "scene/event_recipes.h"
#include "scene/frame_globals.h"
#include "scene/scene_node.h"
#include "train/locomotive.h"

namespace {

struct CarPart {
  const char* entry;
  double x, z;
  EventCallback controller;
  double A, B;
};

// The body rocks 0.6 degrees about the axle direction at 2.5 rad/s (period
// about 2.5 s, not tied to the wheels); the wheels turn like the engine's.
const CarPart kCarParts[] = {
    {"topka", 0.0, 0.0, sineTurn, 0.6, 2.5},
    {"kolesosmall", 6.194, -3.8, linearTurn, kWheelDegreesPerSecond, 0},
    {"kolesosmall", 3.194, -3.8, linearTurn, kWheelDegreesPerSecond, 0},
    {"kolesosmall", -3.474, -3.8, linearTurn, kWheelDegreesPerSecond, 0},
    {"kolesosmall", -6.474, -3.8, linearTurn, kWheelDegreesPerSecond, 0},
};

}  // namespace

void buildFireboxCar(int32_t) {
  SceneNode* anchor = currentNode;
  for (const CarPart& part : kCarParts) {
    SceneNode* node = new SceneNode();
    node->loadModel("main.pak", part.entry);
    node->transform.setPosition(part.x, 0, part.z);
    startEvents(node, {permanentMotion(part.controller, 1, part.A, part.B)});
    anchor->addChild(node);
  }
}
