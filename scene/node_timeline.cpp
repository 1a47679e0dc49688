#include "scene/node_timeline.h"

#include <cstddef>

#include "scene/controllers.h"
#include "scene/daylight.h"
#include "scene/frame_globals.h"

NodeTimeline::NodeTimeline() : now(frameTime), prev(frameTime) {}

void NodeTimeline::addEvent(const NodeEvent& event) {
  events.push_back(event);
  events.back().target = &delta;
}

void NodeTimeline::tick() {
  advance();
  delta.apply();
}

void NodeTimeline::advance() {
  prev = now;
  now = frameTime;
  delta.reset();
  // Unsigned difference: correct across the wrap of the 32-bit tick count.
  uint32_t dt = static_cast<uint32_t>(static_cast<double>(now - prev) * timeScale);
  // Indexes, not iterators: a callback may build content that adds events,
  // and the count is read again at every step.
  for (std::size_t i = 0; i < events.size();) {
    if (events[i].finished) {
      events.erase(events.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    step(events[i], dt);
    ++i;
  }
}

void NodeTimeline::placeLightsAgain() {
  for (NodeEvent& event : events) {
    if (!event.active || (event.callback != lightPosition && event.callback != daylightDirection)) {
      continue;
    }
    currentEvent = &event;
    event.callback(event.arg);
  }
}

void NodeTimeline::step(NodeEvent& event, uint32_t dt) {
  if (!event.active) return;
  event.elapsed += dt;
  if (!event.infinite && !(event.duration > event.elapsed)) event.finished = true;
  event.t += dt;
  currentEvent = &event;
  if (event.callback != nullptr) event.callback(event.arg);
}

void NodeTimeline::applyOperation(int32_t id, int32_t operation) {
  for (NodeEvent& event : events) {
    if (event.id != id) continue;
    switch (operation) {
      case PauseEvent: event.active = false; break;
      case ResumeEvent: event.active = true; break;
      case StopEvent: event.finished = true; break;
      default: break;
    }
  }
}
