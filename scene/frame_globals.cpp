#include "scene/frame_globals.h"

uint32_t frameTime = 0;
SceneNode* currentNode = nullptr;
NodeEvent* currentEvent = nullptr;

namespace {

FramePass pictureBeingDrawn = FramePass::Only;

}  // namespace

FramePass framePass() { return pictureBeingDrawn; }

// Only the frame knows which of its pictures it is drawing; nodes and the
// snowfall ask.
void setFramePass(FramePass pass) { pictureBeingDrawn = pass; }
