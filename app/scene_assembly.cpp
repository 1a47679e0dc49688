#include "app/scene_assembly.h"

#include "app/app_state.h"
#include "scene/draw_hooks.h"
#include "scene/scene_node.h"

// The content arrives with the train, landscape and overlay builders; until
// then the roots carry only their state hooks.
void buildScene() {
  worldRoot->addHook(lightingHook, 0);
  overlayRoot->transform.setPosition(0.0, 0.0, 0.0);
  overlayRoot->addHook(noDepthHook, 0);
}
