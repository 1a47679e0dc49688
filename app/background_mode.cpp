#include "app/background_mode.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "app/frame.h"
#include "app/frame_clock.h"
#include "app/registry_string.h"
#include "app/saver_mode.h"
#include "app/scene_assembly.h"
#include "app/video_context.h"
#include "platform/background_surfaces.h"
#include "platform/heap_policy.h"
#include "platform/stop_signals.h"
#include "platform/software_rasteriser.h"
#include "resources/pak_cache.h"
#include "scene/scene_node.h"

namespace {

// Milliseconds since the first call, for the frame clock.
uint32_t ticks() {
  using Clock = std::chrono::steady_clock;
  static const Clock::time_point start = Clock::now();
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// The scene on a GL context that the surfaces made current, as the
// offscreen renderer starts it.
void startScene(int width, int height) {
  video = VideoContext::forCurrentContext(width, height);
  worldRoot = new SceneNode();
  overlayRoot = new SceneNode();
  buildScene();
}

// Outputs of different sizes share the scene: each frame fits the camera
// and the overlays to the surface it is drawn on. After the first frame
// (models and textures loaded) a stop signal no longer ends the process
// at once.
void drawScene(FrameClock& clock, int width, int height) {
  if (width != video->width() || height != video->height()) {
    video->resize(width, height);
    placeOverlays();
  }
  beginFrame(clock.advance(ticks()));
  renderFrame();
  finishStartup();
}

}  // namespace

int runBackgroundMode(const SettingOverrides& overrides) {
  returnLargeBlocksToSystem();
  installStopSignals();
  avoidBrokenSoftwareRasteriserCode();
  pakCache.setBaseFolder(installPath.value());
  readSettingsForRun(overrides);
  FrameClock clock;
  BackgroundDrawing drawing;
  drawing.start = startScene;
  drawing.frame = [&clock](int width, int height) { drawScene(clock, width, height); };
  drawing.stopRequested = stopSignalled;
  drawing.stop = tearDownAppState;
  std::string problem;
  bool drawn = runBackgroundSurfaces(drawing, problem);
  tearDownAppState();
  if (!drawn) std::fprintf(stderr, "halvenrode: no desktop background: %s\n", problem.c_str());
  return drawn ? 0 : 1;
}
