#include "app/background_mode.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "app/frame_clock.h"
#include "app/saver_run.h"
#include "app/scene_assembly.h"
#include "app/settings.h"
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

// The run's pictures on the outputs' surfaces. Outputs of different sizes
// share the scene: each picture fits the camera to the surface it is drawn
// on, and the overlays to the one that shows them (the scene's, or their
// own, which leaves out the output's panels).
class BackgroundPictures {
 public:
  explicit BackgroundPictures(SaverRun& run) : run_(run) {}

  void start(int width, int height) {
    run_.start(VideoContext::forCurrentContext(width, height));
    overlaysWidth_ = width;
    overlaysHeight_ = height;
  }

  // After the first frame (models and textures loaded) a stop signal no
  // longer ends the process at once.
  void frame(int width, int height, bool overlaysApart) {
    fit(width, height, !overlaysApart);
    if (overlaysApart) {
      run_.worldFrame(clock_.advance(ticks()));
    } else {
      run_.frame(clock_.advance(ticks()));
    }
    finishStartup();
  }

  void overlays(int width, int height) {
    fit(width, height, true);
    run_.overlayFrame();
  }

 private:
  void fit(int width, int height, bool withOverlays) {
    VideoContext& video = run_.video();
    if (width != video.width() || height != video.height()) video.resize(width, height);
    if (withOverlays && (width != overlaysWidth_ || height != overlaysHeight_)) {
      placeOverlays();
      overlaysWidth_ = width;
      overlaysHeight_ = height;
    }
  }

  SaverRun& run_;
  FrameClock clock_;
  int overlaysWidth_ = 0;
  int overlaysHeight_ = 0;
};

}  // namespace

// The scene starts on the GL context the surfaces made current, as the
// offscreen renderer starts it.
int runBackgroundMode(const SettingOverrides& overrides) {
  returnLargeBlocksToSystem();
  installStopSignals();
  avoidBrokenSoftwareRasteriserCode();
  keepSessionBusFromStarting();
  SaverRun run(readRunSettingsFrom(runSettingsFiles(), overrides));
  BackgroundPictures pictures(run);
  BackgroundDrawing drawing;
  drawing.start = [&](int width, int height) { pictures.start(width, height); };
  drawing.frame = [&](int width, int height, bool overlaysApart) {
    pictures.frame(width, height, overlaysApart);
  };
  drawing.overlays = [&](int width, int height) { pictures.overlays(width, height); };
  const Settings& settings = run.settings();
  drawing.overlaysShown = settings.showClock || settings.showCalendar || settings.showFrameRate;
  drawing.stopRequested = stopSignalled;
  drawing.stop = [&run] { run.stop(); };
  std::string problem;
  bool drawn = runBackgroundSurfaces(drawing, problem);
  run.stop();
  if (!drawn) std::fprintf(stderr, "halvenrode: no desktop background: %s\n", problem.c_str());
  return drawn ? 0 : 1;
}
