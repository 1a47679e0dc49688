#include "app/app_state.h"

Settings* settings = nullptr;
VideoContext* video = nullptr;
SceneNode* worldRoot = nullptr;
SceneNode* overlayRoot = nullptr;
