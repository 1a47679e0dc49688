#pragma once
#include <cstdint>
#include <initializer_list>

#include "scene/node_event.h"

class SceneNode;

// The event records scene content builds again and again. Every content
// event has id 1 and starts active.

// A permanent event (duration 0) running a controller with its parameters.
NodeEvent permanentMotion(EventCallback callback, int32_t selector, double a = 0, double b = 0,
                          double c = 0);

// An event running `callback` with argument 0: permanent for duration 0,
// once for -1.0.
NodeEvent callbackEvent(EventCallback callback, double durationMs);

// Opens a new cue on a fresh node, adds the records in order and fires the
// cue once, so each record enters the node's timeline once.
void startEvents(SceneNode* node, std::initializer_list<NodeEvent> events);
