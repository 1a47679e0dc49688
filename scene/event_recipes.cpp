#include "scene/event_recipes.h"

#include "scene/controllers.h"
#include "scene/scene_node.h"

NodeEvent permanentMotion(EventCallback callback, int32_t selector, double a, double b,
                          double c) {
  NodeEvent event;
  event.init(1, true, 0.0);
  event.setMotion(callback, selector, a, b, c);
  return event;
}

NodeEvent permanentWatcher(EventCallback callback, int32_t selector, int32_t watched) {
  NodeEvent event;
  event.init(1, true, 0.0);
  event.setMotionAux(callback, selector, watched, 0, 0, 0);
  return event;
}

NodeEvent callbackEvent(EventCallback callback, double durationMs) {
  NodeEvent event;
  event.init(1, true, durationMs);
  event.setCallback(callback, 0);
  return event;
}

NodeEvent oneShotMotion(EventCallback callback, int32_t selector) {
  NodeEvent event;
  event.init(1, true, -1.0);
  event.setMotion(callback, selector, 0, 0, 0);
  return event;
}

NodeEvent closeAfter(double lifetimeMs) {
  NodeEvent event;
  event.init(1, true, 0.0);
  event.setParams(timedClose, lifetimeMs, 0, 0);
  return event;
}

void startEvents(SceneNode* node, const std::vector<NodeEvent>& events, int times) {
  int32_t cue = node->cues.newCue();
  for (const NodeEvent& event : events) node->cues.addEvent(event);
  for (int i = 0; i < times; ++i) node->cues.fire(cue);
}
