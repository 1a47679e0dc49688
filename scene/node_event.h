#pragma once
#include <cstdint>

#include "scene/transform.h"

// Event callbacks take one integer (content passes 0) and find their context
// through `currentNode` and `currentEvent`.
using EventCallback = void (*)(int32_t);

// A timed event: a callback with its parameters and timing state. Copied by
// value into cues and from cues into timelines. Times are milliseconds.
struct NodeEvent {
  Transform* target = nullptr;  // the delta transform of the timeline that runs it
  double t = 0;                 // local time, grows by each tick's step while active
  int32_t selector = 0;         // axis 0/1/2 = X/Y/Z, or a light number
  int32_t aux = 0;
  double A = 0, B = 0, C = 0;
  EventCallback callback = nullptr;
  int32_t arg = 0;
  int32_t id = 0;
  bool active = false;
  bool infinite = false;  // duration 0: never finishes by time
  bool finished = false;  // removed at the timeline's next tick
  double duration = 0;
  double elapsed = 0;  // active time since the start, compared with duration

  // Duration 0 makes a permanent event; a negative one runs exactly once.
  void init(int32_t eventId, bool isActive, double durationMs);
  void setCallback(EventCallback function, int32_t argument);
  void setParams(EventCallback function, double a, double b, double c);
  void setMotion(EventCallback function, int32_t axis, double a, double b, double c);
  void setMotionAux(EventCallback function, int32_t axis, int32_t extra, double a, double b,
                    double c);
};

// Operations that a cue applies to running events by id.
// No content of the saver uses them; kept for cues that govern running events.
enum EventOperation : int32_t { PauseEvent = 0, ResumeEvent = 1, StopEvent = 2 };
