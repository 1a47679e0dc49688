#include "scene/event_recipes.h"

#include "scene/scene_node.h"

NodeEvent permanentMotion(EventCallback callback, int32_t selector, double a, double b,
                          double c) {
  NodeEvent event;
  event.init(1, true, 0.0);
  event.setMotion(callback, selector, a, b, c);
  return event;
}

NodeEvent callbackEvent(EventCallback callback, double durationMs) {
  NodeEvent event;
  event.init(1, true, durationMs);
  event.setCallback(callback, 0);
  return event;
}

void startEvents(SceneNode* node, std::initializer_list<NodeEvent> events) {
  int32_t cue = node->cues.newCue();
  for (const NodeEvent& event : events) node->cues.addEvent(event);
  node->cues.fire(cue);
}
