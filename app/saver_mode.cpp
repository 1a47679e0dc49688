#include "app/saver_mode.h"

#include <cstdlib>
#include <string>

#include "app/app_state.h"
#include "app/main_loop.h"
#include "app/registry_string.h"
#include "app/scene_assembly.h"
#include "app/settings.h"
#include "app/settings_files.h"
#include "app/video_context.h"
#include "platform/host_window.h"
#include "resources/pak_cache.h"
#include "scene/scene_node.h"

namespace {

// Without a display SDL 1.2 would fall back to text-mode drivers that fill
// the terminal with escape codes before failing; the X11 driver instead
// fails cleanly in SDL_Init. A driver the user chose is respected.
void preferX11Video() { setenv("SDL_VIDEODRIVER", "x11", 0); }

// SDL 1.2 draws into an existing window named by SDL_WINDOWID before
// SDL_Init. Its size then comes from the window itself, since SDL reports
// whatever size was asked for. Returns false when there is no host window.
bool useHostWindow(const std::string& commandLine, int& width, int& height) {
  unsigned long window = 0;
  if (!findHostWindow(commandLine, window)) return false;
  if (!hostWindowSize(window, width, height)) return false;
  setenv("SDL_WINDOWID", std::to_string(window).c_str(), 1);
  return true;
}

VideoContext* openVideo(const std::string& commandLine) {
  int width = 0;
  int height = 0;
  if (useHostWindow(commandLine, width, height)) return new VideoContext(width, height, 32);
  return new VideoContext(settings->displayWidth(), settings->displayHeight(),
                          settings->displayBitsPerPixel());
}

}  // namespace

int runSaverMode(const std::string& commandLine, const SettingOverrides& overrides) {
  pakCache.setBaseFolder(installPath.value());
  std::string settingsSource;
  settings = new Settings(readRunSettings(settingsSource));
  overrides.applyTo(*settings);

  preferX11Video();
  video = openVideo(commandLine);
  worldRoot = new SceneNode();
  overlayRoot = new SceneNode();
  buildScene();

  runMainLoop();

  tearDownAppState();
  return 0;
}
