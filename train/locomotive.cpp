#include "train/locomotive.h"

#include "scene/controllers.h"
#include "scene/event_recipes.h"
#include "scene/frame_globals.h"
#include "scene/scene_node.h"
#include "train/firebox_car.h"
#include "train/locomotive_layout.h"
#include "train/smoke.h"

namespace {

using namespace locomotive_layout;

constexpr double kW = kWheelDegreesPerSecond;
constexpr double kOmega = kRodRadiansPerSecond;

// One motion about the axle direction (selector 1): a turn at a constant
// speed, or an oscillation in step with the wheels.
struct PartMotion {
  EventCallback controller;  // nullptr ends the list
  double A, B, C;
};

constexpr PartMotion turnAt(double degreesPerSecond) {
  return {linearTurn, degreesPerSecond, 0.0, 0.0};
}
constexpr PartMotion plusY(Swing swing) { return {sineTurn, swing.amplitude, kOmega, swing.phasePlusY}; }
constexpr PartMotion minusY(Swing swing) { return {sineTurn, swing.amplitude, kOmega, swing.phaseMinusY}; }
constexpr PartMotion kNone = {nullptr, 0, 0, 0};

// A part of the running gear. Rows are numbered from 2 (row 1 is the car
// anchor); parent 0 is the train node.
struct LocomotivePart {
  const char* entry;  // nullptr: a pivot without a model
  int parent;
  double x, y, z;
  double fixedTurnY;  // degrees about the axle direction
  PartMotion motions[2];
  // Non-zero: appended to its parent only after that row, so that the
  // parent's child order differs from the creation order.
  int appendAfter;
};

// Rows 2 to 24 in creation order. The -Y side of each mechanism mirrors the
// +Y side with its cranks half a turn on.
const LocomotivePart kParts[] = {
    /* 2 */ {"parovoz", 0, 0, 0, 0, 0, {kNone, kNone}, 0},
    /* 3 */ {"kolesosmall", 0, kSmallWheelX, 0, kSmallWheelCentreZ, 0, {turnAt(kW), kNone}, 0},
    /* 4 */ {"kolesobig", 0, kRearDriverX, 0, kBigWheelCentreZ, 0, {turnAt(kW), kNone}, 0},
    /* 5 */ {"kolesobig", 0, kMiddleDriverX, 0, kBigWheelCentreZ, 0, {turnAt(kW), kNone}, 0},
    /* 6 */ {"koleb", 0, kLeverPivotX, kLeverPivotY, kLeverPivotZ, 0, {plusY(kExpansionLinkSwing), kNone}, 0},
    /* 7 */ {"koleb", 0, kLeverPivotX, -kLeverPivotY, kLeverPivotZ, 0, {minusY(kExpansionLinkSwing), kNone}, 0},
    /* 8 */ {"dergatel", 6, kLeverArm, 0, 0, 0, {plusY(kRadiusRodSwing), kNone}, 0},
    /* 9 */ {"dergatel", 7, kLeverArm, 0, 0, 0, {minusY(kRadiusRodSwing), kNone}, 0},
    /* 10 */ {"porshen_small", 8, kRadiusRodLength, 0, 0, 0, {plusY(kValveSpindleSwing), kNone}, 0},
    /* 11 */ {"porshen_small", 9, kRadiusRodLength, 0, 0, 0, {minusY(kValveSpindleSwing), kNone}, 0},
    /* 12 */ {"richazek", 5, 0, kReturnCrankY, kCrankRadius, 0, {kNone, kNone}, 0},
    /* 13 */ {nullptr, 5, 0, -kReturnCrankY, -kCrankRadius, 0, {kNone, kNone}, 14},
    /* 14 */ {"richazek", 5, 0, -kReturnCrankY, -kCrankRadius, 180, {kNone, kNone}, 0},
    // The oscillation comes before the counter-rotation in each tick.
    /* 15 */
    {"porshen", 13, 0, -kRodOutsetY, kReturnCrankLength, 0, {minusY(kEccentricRodSwing), turnAt(-kW)}, 0},
    /* 16 */
    {"porshen", 12, 0, kRodOutsetY, -kReturnCrankLength, 0, {plusY(kEccentricRodSwing), turnAt(-kW)}, 0},
    /* 17 */ {"balka", 5, 0, kCouplingRodY, kCrankRadius, 0, {turnAt(-kW), kNone}, 0},
    /* 18 */ {"balka", 5, 0, -kCouplingRodY, -kCrankRadius, 0, {turnAt(-kW), kNone}, 0},
    /* 19 */ {"balka2", 17, 0, kRodOutsetY, 0, 0, {plusY(kMainRodSwing), kNone}, 0},
    /* 20 */ {"balka2", 18, 0, -kRodOutsetY, 0, 0, {minusY(kMainRodSwing), kNone}, 0},
    /* 21 */ {"tolkatel", 19, kMainRodLength, 0, 0, 0, {plusY(kCrossheadSwing), kNone}, 0},
    /* 22 */ {"tolkatel", 20, kMainRodLength, 0, 0, 0, {minusY(kCrossheadSwing), kNone}, 0},
    /* 23 */ {"kolesobig", 0, kFrontDriverX, 0, kBigWheelCentreZ, 0, {turnAt(kW), kNone}, 0},
    /* 24 */ {"kolesosred", 0, kMiddleWheelX, 0, kMiddleWheelCentreZ, 0, {turnAt(kW), kNone}, 0},
};
constexpr int kFirstTableRow = 2;
constexpr int kRowCount = kFirstTableRow + static_cast<int>(sizeof kParts / sizeof kParts[0]);

// One permanent record per motion, in list order, in one cue; a part
// without motions gets no cue.
void addMotions(SceneNode* node, const PartMotion* motions, int count) {
  std::vector<NodeEvent> events;
  for (int i = 0; i < count && motions[i].controller != nullptr; ++i) {
    events.push_back(permanentMotion(motions[i].controller, 1, motions[i].A, motions[i].B,
                                     motions[i].C));
  }
  if (!events.empty()) startEvents(node, events);
}

// A node with a one-shot or permanent building callback.
SceneNode* anchorWithCallback(double x, double y, double z, EventCallback callback,
                              double duration) {
  SceneNode* node = new SceneNode();
  node->transform.setPosition(x, y, z);
  startEvents(node, {callbackEvent(callback, duration)});
  return node;
}

SceneNode* makePart(const LocomotivePart& part) {
  SceneNode* node = new SceneNode();
  if (part.entry != nullptr) node->loadModel("main.pak", part.entry);
  node->transform.setPosition(part.x, part.y, part.z);
  if (part.fixedTurnY != 0) node->transform.setRotation(0, part.fixedTurnY, 0);
  addMotions(node, part.motions, 2);
  return node;
}

}  // namespace

void buildLocomotive(int32_t) {
  SceneNode* train = currentNode;
  SceneNode* nodes[kRowCount] = {};
  nodes[0] = train;
  train->addChild(anchorWithCallback(kCarAnchorX, 0, 0, buildFireboxCar, -1.0));
  for (int row = kFirstTableRow; row < kRowCount; ++row) {
    const LocomotivePart& part = kParts[row - kFirstTableRow];
    nodes[row] = makePart(part);
    if (part.appendAfter == 0) nodes[part.parent]->addChild(nodes[row]);
    // Rows held back until this one is in place follow it now.
    for (int waiting = kFirstTableRow; waiting < row; ++waiting) {
      const LocomotivePart& held = kParts[waiting - kFirstTableRow];
      if (held.appendAfter == row) nodes[held.parent]->addChild(nodes[waiting]);
    }
  }
  train->addChild(anchorWithCallback(kChimneyTopX, 0, kChimneyTopZ, emitSmoke, 0.0));
}
