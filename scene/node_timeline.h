#pragma once
#include <cstdint>
#include <vector>

#include "scene/node_event.h"
#include "scene/transform.h"

// A node's millisecond clock, driven by `frameTime`, with its running events
// and the delta transform they write each tick.
class NodeTimeline {
 public:
  NodeTimeline();
  NodeTimeline(const NodeTimeline&) = delete;
  NodeTimeline& operator=(const NodeTimeline&) = delete;

  // Appends a copy of `event` that writes this timeline's delta transform.
  void addEvent(const NodeEvent& event);

  // Advances to the current `frameTime`: clears the delta, runs every due
  // event in list order (removing finished ones), then applies the delta.
  void tick();
  // tick without applying the delta, for a caller that applies it itself.
  void advance();
  // Runs again the events that ran in this frame's advance and only place
  // a light at the current matrix, for a picture of the frame drawn again
  // for another monitor: meshes drawn after them must see the light where
  // the first picture had it. Nothing else runs, and no time passes.
  void placeLightsAgain();

  // Applies operation 0/1/2 to every event with this id; others do nothing.
  void applyOperation(int32_t id, int32_t operation);

  uint32_t now = 0;
  uint32_t prev = 0;
  double timeScale = 1.0;
  Transform delta;
  std::vector<NodeEvent> events;

 private:
  static void step(NodeEvent& event, uint32_t dt);
};
