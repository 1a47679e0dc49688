#pragma once
#include <cstdint>

// Event callbacks that animate nodes. Each reads its parameters from
// `currentEvent`: t (ms), selector (axis 0/1/2 = X/Y/Z; other values do
// nothing), A, B, C. Sine controllers take B in radians per second and C in
// radians; linear ones take A per second. Angles end up in degrees.

// Write the event's target (the node's per-frame delta transform):
void sineMove(int32_t);    // position += A·sin(t·B/1000 + C)
void linearMove(int32_t);  // position += t·A/1000
void expMove(int32_t);     // position += A·(1 − exp(t/1000·B))
void linearTurn(int32_t);  // rotation += t·A/1000 + B
void sineTurn(int32_t);    // rotation += A·sin(t·B/1000 + C)

// Write the base transform of `currentNode`, accumulating, then set t to 0.
// No content of the saver calls them; kept for content that moves a node for good:
void linearMoveAccumulate(int32_t);
void linearTurnAccumulate(int32_t);

// Requests the close of `currentNode` once t exceeds A milliseconds.
void timedClose(int32_t);

// Places light GL_LIGHT0 + selector (1 to 5) at the node's origin.
void lightPosition(int32_t);
