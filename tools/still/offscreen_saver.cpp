#include "tools/still/offscreen_saver.h"

#include <cstdlib>

#include "app/app_state.h"
#include "app/extra_settings.h"
#include "app/frame.h"
#include "app/registry_string.h"
#include "app/scene_assembly.h"
#include "app/settings.h"
#include "app/video_context.h"
#include "platform/local_time.h"
#include "platform/paths.h"
#include "platform/png_file.h"
#include "resources/pak_cache.h"
#include "scene/frame_globals.h"
#include "scene/random.h"
#include "scene/scene_node.h"

namespace {

Settings* readSettings(const std::string& file) {
  Settings* settings = new Settings();
  if (!file.empty()) readSettingsFile(nativePath(file), *settings);
  return settings;
}

// The text file beside the settings file given, as the saver keeps them.
ExtraSettings readExtras(const std::string& settingsFile) {
  ExtraSettings extras;
  if (!settingsFile.empty()) readExtraSettingsFile(extraSettingsFileBeside(settingsFile), extras);
  return extras;
}

}  // namespace

OffscreenSaver::OffscreenSaver(const OffscreenSaverOptions& options)
    : context_(new OffscreenGlContext(options.width, options.height)) {
  if (!context_->ok()) return;
  seedRandom(options.seed);
  if (options.fixedLocalTime) {
    // The overlays see the given time, advanced by the simulated time.
    std::time_t start = options.localTime;
    setTimeSource([start]() { return start + static_cast<std::time_t>(frameTime / 1000); });
  }
  frameTime = 0;
  pakCache.setBaseFolder(installPath.value());
  settings = readSettings(options.settingsFile);
  options.overrides.applyTo(*settings);
  extraSettings = readExtras(options.settingsFile);
  options.overrides.applyTo(extraSettings);
  video = VideoContext::forCurrentContext(options.width, options.height);
  if (!options.views.empty()) video->setViews(options.views);
  worldRoot = new SceneNode();
  overlayRoot = new SceneNode();
  buildScene();
  ok_ = true;
}

OffscreenSaver::~OffscreenSaver() {
  tearDownAppState();
  setTimeSource(nullptr);
}

void OffscreenSaver::frame(uint32_t timeMs) {
  beginFrame(timeMs);
  renderFrame();
}

int OffscreenSaver::closeScene(uint32_t startMs, uint32_t stepMs) {
  worldRoot->closeRequested = true;
  overlayRoot->closeRequested = true;
  int frames = 0;
  for (uint32_t t = startMs; !(worldRoot->closed && overlayRoot->closed) && frames < 1000;
       t += stepMs) {
    frame(t);
    ++frames;
  }
  return frames;
}

bool OffscreenSaver::savePng(const std::string& path) const {
  return writePngRgba(path, context_->width(), context_->height(), pixels(), true);
}
