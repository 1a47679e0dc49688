#pragma once
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "app/options/command_line_options.h"
#include "app/picture_views.h"
#include "platform/offscreen_gl.h"

class SaverRun;

// The saver's own run, scene and frame code on an offscreen context, driven
// by simulated frame times instead of SDL's clock. Used by the still
// renderer, tests, soak runs and benchmarks.
struct OffscreenSaverOptions {
  int width = 1024;
  int height = 768;
  std::string settingsFile;  // empty: the saver's defaults
  SettingOverrides overrides;  // the saver's command-line options, over the file
  unsigned seed = 1;
  bool fixedLocalTime = false;
  std::time_t localTime = 0;  // local time at simulated time 0
  std::vector<PictureView> views;  // one per monitor; empty: the whole picture
  // Each frame draws the world, then the overlays alone over it as for a
  // surface of their own (SaverRun::overlayFrame): the picture read is
  // theirs.
  bool overlaysAlone = false;
};

class OffscreenSaver {
 public:
  explicit OffscreenSaver(const OffscreenSaverOptions& options);
  ~OffscreenSaver();
  OffscreenSaver(const OffscreenSaver&) = delete;
  OffscreenSaver& operator=(const OffscreenSaver&) = delete;

  bool ok() const { return ok_; }

  // Draws one frame at simulated time `timeMs` (milliseconds since start).
  void frame(uint32_t timeMs);

  // Escape: closes both trees, drawing frames `stepMs` apart until they are
  // gone. Returns the frames it took.
  int closeScene(uint32_t startMs, uint32_t stepMs);

  std::vector<uint8_t> pixels() const { return context_->readPixels(); }
  bool savePng(const std::string& path) const;

 private:
  std::unique_ptr<OffscreenGlContext> context_;
  std::unique_ptr<SaverRun> run_;
  bool overlaysAlone_ = false;
  bool ok_ = false;
};
