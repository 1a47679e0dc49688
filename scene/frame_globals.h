#pragma once
#include <cstdint>

class SceneNode;
struct NodeEvent;

// Millisecond tick count of the current frame, read by every timeline; 0
// before the first frame.
extern uint32_t frameTime;
// The node whose draw was entered last (not restored on return), so that
// events running in a node's tick see that node.
extern SceneNode* currentNode;
// The event whose callback is running; valid only during a callback.
extern NodeEvent* currentEvent;
// Which of a frame's pictures is being drawn. With several monitors the
// first picture advances the scene and the others draw it again as the
// first showed it, without advancing timelines or freeing closed children,
// so the world moves once a frame however many monitors show it.
// The frame sets it for each picture; everything else only reads it.
enum class FramePass { Only, First, Again };
FramePass framePass();
void setFramePass(FramePass pass);
