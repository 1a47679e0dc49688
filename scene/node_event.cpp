#include "scene/node_event.h"

void NodeEvent::init(int32_t eventId, bool isActive, double durationMs) {
  id = eventId;
  active = isActive;
  if (durationMs == 0) {
    infinite = true;
  } else {
    infinite = false;
    duration = durationMs;
  }
  finished = false;
  t = 0;
  elapsed = 0;
}

void NodeEvent::setCallback(EventCallback function, int32_t argument) {
  callback = function;
  arg = argument;
}

void NodeEvent::setParams(EventCallback function, double a, double b, double c) {
  callback = function;
  arg = 0;
  A = a;
  B = b;
  C = c;
}

void NodeEvent::setMotion(EventCallback function, int32_t axis, double a, double b, double c) {
  setParams(function, a, b, c);
  selector = axis;
}

void NodeEvent::setMotionAux(EventCallback function, int32_t axis, int32_t extra, double a,
                             double b, double c) {
  setMotion(function, axis, a, b, c);
  aux = extra;
}
