#include "app/app_state.h"

#include "app/settings.h"
#include "app/video_context.h"
#include "scene/scene_node.h"

Settings* settings = nullptr;
VideoContext* video = nullptr;
SceneNode* worldRoot = nullptr;
SceneNode* overlayRoot = nullptr;

void tearDownAppState() {
  delete settings;
  settings = nullptr;
  delete worldRoot;
  worldRoot = nullptr;
  delete overlayRoot;
  overlayRoot = nullptr;
  delete video;
  video = nullptr;
}
