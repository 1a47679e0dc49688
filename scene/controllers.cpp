#include "scene/controllers.h"

#include <GL/gl.h>

#include <cmath>

#include "resources/model_view_stack.h"
#include "scene/frame_globals.h"
#include "scene/node_event.h"
#include "scene/scene_node.h"

namespace {

void moveOnAxis(Transform& target, int32_t axis, double amount) {
  switch (axis) {
    case 0: target.translateBy(amount, 0, 0); break;
    case 1: target.translateBy(0, amount, 0); break;
    case 2: target.translateBy(0, 0, amount); break;
    default: break;
  }
}

void turnOnAxis(Transform& target, int32_t axis, double degrees) {
  switch (axis) {
    case 0: target.rotateBy(degrees, 0, 0); break;
    case 1: target.rotateBy(0, degrees, 0); break;
    case 2: target.rotateBy(0, 0, degrees); break;
    default: break;
  }
}

double sineOf(const NodeEvent& e) { return e.A * std::sin(e.t * e.B / 1000 + e.C); }

}  // namespace

void sineMove(int32_t) { moveOnAxis(*currentEvent->target, currentEvent->selector, sineOf(*currentEvent)); }

void linearMove(int32_t) {
  const NodeEvent& e = *currentEvent;
  moveOnAxis(*e.target, e.selector, e.t * e.A / 1000);
}

void expMove(int32_t) {
  const NodeEvent& e = *currentEvent;
  moveOnAxis(*e.target, e.selector, e.A * (1 - std::exp(e.t / 1000 * e.B)));
}

void linearTurn(int32_t) {
  const NodeEvent& e = *currentEvent;
  turnOnAxis(*e.target, e.selector, e.t * e.A / 1000 + e.B);
}

void sineTurn(int32_t) { turnOnAxis(*currentEvent->target, currentEvent->selector, sineOf(*currentEvent)); }

void linearMoveAccumulate(int32_t) {
  NodeEvent& e = *currentEvent;
  moveOnAxis(currentNode->transform, e.selector, e.t * e.A / 1000);
  e.t = 0;
}

void linearTurnAccumulate(int32_t) {
  NodeEvent& e = *currentEvent;
  turnOnAxis(currentNode->transform, e.selector, e.t * e.A / 1000 + e.B);
  e.t = 0;
}

void timedClose(int32_t) {
  if (currentEvent->t > currentEvent->A) currentNode->requestClose();
}

void lightPosition(int32_t) {
  int32_t light = currentEvent->selector;
  if (light < 1 || light > 5) return;
  const GLfloat origin[4] = {0, 0, 0, 1};
  modelViewStack.loadIntoGl();
  glLightfv(static_cast<GLenum>(GL_LIGHT0 + light), GL_POSITION, origin);
}
