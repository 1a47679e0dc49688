#include "tools/still/offscreen_saver.h"

#include "app/saver_run.h"
#include "app/video_context.h"
#include "platform/local_time.h"
#include "platform/paths.h"
#include "platform/png_file.h"
#include "scene/frame_globals.h"
#include "scene/random.h"

namespace {

// The settings file given, as a path of this system; none gives the
// defaults, never the user's own file.
std::vector<std::string> namedFile(const std::string& settingsFile) {
  if (settingsFile.empty()) return {};
  return {nativePath(settingsFile)};
}

}  // namespace

OffscreenSaver::OffscreenSaver(const OffscreenSaverOptions& options)
    : context_(new OffscreenGlContext(options.width, options.height)),
      overlaysAlone_(options.overlaysAlone) {
  if (!context_->ok()) return;
  seedRandom(options.seed);
  if (options.fixedLocalTime) {
    // The overlays see the given time, advanced by the simulated time.
    std::time_t start = options.localTime;
    setTimeSource([start]() { return start + static_cast<std::time_t>(frameTime / 1000); });
  }
  run_.reset(new SaverRun(readRunSettingsFrom(namedFile(options.settingsFile), options.overrides)));
  VideoContext* video = VideoContext::forCurrentContext(options.width, options.height);
  if (!options.views.empty()) video->setViews(options.views);
  run_->start(video);
  ok_ = true;
}

// The run goes first, while its GL context and the time source it may read
// are still there.
OffscreenSaver::~OffscreenSaver() {
  run_.reset();
  setTimeSource(nullptr);
}

void OffscreenSaver::frame(uint32_t timeMs) {
  if (!overlaysAlone_) {
    run_->frame(timeMs);
    return;
  }
  run_->worldFrame(timeMs);
  run_->overlayFrame();
}

int OffscreenSaver::closeScene(uint32_t startMs, uint32_t stepMs) {
  run_->close();
  int frames = 0;
  for (uint32_t t = startMs; !run_->closed() && frames < 1000; t += stepMs) {
    frame(t);
    ++frames;
  }
  return frames;
}

bool OffscreenSaver::savePng(const std::string& path) const {
  return writePngRgba(path, context_->width(), context_->height(), pixels(), true);
}
