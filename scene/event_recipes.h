#pragma once
#include <cstdint>
#include <vector>

#include "scene/node_event.h"

class SceneNode;

// The event records scene content builds again and again. Every content
// event has id 1 and starts active.

// A permanent event (duration 0) running a controller with its parameters.
NodeEvent permanentMotion(EventCallback callback, int32_t selector, double a = 0, double b = 0,
                          double c = 0);

// A permanent event whose callback watches one value: `selector` says what
// it watches, `watched` (the record's aux) the value it stands for.
NodeEvent permanentWatcher(EventCallback callback, int32_t selector, int32_t watched);

// An event running `callback` with argument 0: permanent for duration 0,
// once for -1.0.
NodeEvent callbackEvent(EventCallback callback, double durationMs);

// An event that runs `callback` once, with `selector` telling it which
// variant to build.
NodeEvent oneShotMotion(EventCallback callback, int32_t selector);

// A permanent event that closes its node once its local time passes
// `lifetimeMs`.
NodeEvent closeAfter(double lifetimeMs);

// Opens a new cue on the node, adds the records in order and fires the cue
// `times` times, so each record enters the node's timeline that many times.
void startEvents(SceneNode* node, const std::vector<NodeEvent>& events, int times = 1);
