#include "app/saver_mode.h"

#include <cstdlib>
#include <fstream>

#include "app/app_state.h"
#include "app/main_loop.h"
#include "app/registry_string.h"
#include "app/scene_assembly.h"
#include "app/settings.h"
#include "app/video_context.h"
#include "platform/paths.h"
#include "resources/pak_cache.h"
#include "scene/scene_node.h"

namespace {

// Without a display SDL 1.2 would fall back to text-mode drivers that fill
// the terminal with escape codes before failing; the X11 driver instead
// fails cleanly in SDL_Init. A driver the user chose is respected.
void preferX11Video() { setenv("SDL_VIDEODRIVER", "x11", 0); }

}  // namespace

int runSaverMode() {
  std::ifstream settingsFile(nativePath(settingsFilePath()), std::ios::binary);
  pakCache.setBaseFolder(installPath.value());
  settings = settingsFile.is_open() ? new Settings(settingsFile) : new Settings();

  preferX11Video();
  video = new VideoContext(settings->displayWidth(), settings->displayHeight(),
                           settings->displayBitsPerPixel());
  worldRoot = new SceneNode();
  overlayRoot = new SceneNode();
  buildScene();

  runMainLoop();

  delete settings;
  settings = nullptr;
  delete worldRoot;
  worldRoot = nullptr;
  delete overlayRoot;
  overlayRoot = nullptr;
  delete video;
  video = nullptr;
  return 0;
}
