#include "scene/frame_globals.h"

uint32_t frameTime = 0;
SceneNode* currentNode = nullptr;
NodeEvent* currentEvent = nullptr;
FramePass framePass = FramePass::Only;
