#include "app/background_mode.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "app/frame_clock.h"
#include "app/saver_run.h"
#include "app/scene_assembly.h"
#include "app/settings_files.h"
#include "app/video_context.h"
#include "platform/background_surfaces.h"
#include "platform/heap_policy.h"
#include "platform/session_bus.h"
#include "platform/stop_signals.h"
#include "platform/software_rasteriser.h"

namespace {

// Milliseconds since the first call, for the frame clock.
uint32_t ticks() {
  using Clock = std::chrono::steady_clock;
  static const Clock::time_point start = Clock::now();
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Outputs of different sizes share the scene: each frame fits the camera
// and the overlays to the surface it is drawn on. After the first frame
// (models and textures loaded) a stop signal no longer ends the process
// at once.
void drawScene(SaverRun& run, FrameClock& clock, int width, int height) {
  VideoContext& video = run.video();
  if (width != video.width() || height != video.height()) {
    video.resize(width, height);
    placeOverlays();
  }
  run.frame(clock.advance(ticks()));
  finishStartup();
}

}  // namespace

// The scene starts on the GL context the surfaces made current, as the
// offscreen renderer starts it.
int runBackgroundMode(const SettingOverrides& overrides) {
  returnLargeBlocksToSystem();
  installStopSignals();
  avoidBrokenSoftwareRasteriserCode();
  keepSessionBusFromStarting();
  SaverRun run(readRunSettingsFrom(runSettingsFiles(), overrides));
  FrameClock clock;
  BackgroundDrawing drawing;
  drawing.start = [&run](int width, int height) {
    run.start(VideoContext::forCurrentContext(width, height));
  };
  drawing.frame = [&](int width, int height) { drawScene(run, clock, width, height); };
  drawing.stopRequested = stopSignalled;
  drawing.stop = [&run] { run.stop(); };
  std::string problem;
  bool drawn = runBackgroundSurfaces(drawing, problem);
  run.stop();
  if (!drawn) std::fprintf(stderr, "halvenrode: no desktop background: %s\n", problem.c_str());
  return drawn ? 0 : 1;
}
