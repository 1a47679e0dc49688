// halvenrode-still: renders the saver's frames offscreen, with no display.
//
//   halvenrode-still [--size WxH] [--settings FILE] [--seed N]
//                    [--local-time "YYYY-MM-DD HH:MM:SS"]
//                    [--frames N] [--step MS] [SAVER OPTION...] --out FILE.png
//   halvenrode-still --model ARCHIVE:ENTRY [--turn DEGREES] [--size WxH] --out FILE.png
//   halvenrode-still --preview FILE.ppk [scene options]
//
// --preview draws at four times 152 x 112 and writes the host's preview
// picture (a 24-bit BMP, averaged down) instead of a PNG.
// Frame i (from 1) is drawn at simulated time i × step; the last one is
// written. The scene and frame code are the saver's own, and so are its
// options (--clock=analog, --fps, --time-of-day, --snow=heavy, ...), laid
// over the settings file and the halvenrode.conf beside it. The seed
// decides every random choice, falling snow included; the local time
// decides the light when it follows the time of day.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/frame_clock.h"
#include "app/options/command_line_options.h"
#include "app/options/option_help.h"
#include "platform/local_time.h"
#include "platform/standard_streams.h"
#include "tools/still/model_look.h"
#include "tools/still/offscreen_saver.h"
#include "tools/still/preview_picture.h"

namespace {

struct StillOptions {
  OffscreenSaverOptions saver;
  int frames = 1;
  unsigned step = 16;
  std::string out;
  std::string model;
  double turn = 0;
  std::string preview;
};

// The preview is drawn this many times larger, then averaged down.
constexpr int kPreviewOversampling = 4;

// The saver never advances its scene by more than FrameClock::kMaxStepMs in
// one frame; a longer step would make every timeline catch up hours at once
// (terrain pieces by the thousand). A day of simulated time at the longest
// step is the most frames a still needs.
constexpr long kMaxStepMs = FrameClock::kMaxStepMs;
constexpr long kMaxFrames = 86400;

// A whole decimal number in [low, high], nothing before or after it.
bool parseWhole(const char* text, long low, long high, long& value) {
  errno = 0;
  char* end = nullptr;
  long parsed = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || parsed < low || parsed > high) return false;
  value = parsed;
  return true;
}

int usage(const std::string& problem) {
  std::fprintf(stderr, "halvenrode-still: %s\n", problem.c_str());
  std::fprintf(stderr,
               "usage: halvenrode-still [--size WxH] [--settings FILE] [--seed N]\n"
               "         [--local-time \"YYYY-MM-DD HH:MM:SS\"] [--frames N] [--step MS]\n"
               "         [SAVER OPTION...] --out FILE.png\n"
               "       halvenrode-still --model ARCHIVE:ENTRY [--turn DEGREES] [--size WxH]\n"
               "         --out FILE.png\n"
               "saver options, laid over the settings file:\n%s",
               settingOptionsHelp().c_str());
  return 2;
}

bool parseSize(const char* text, int& width, int& height) {
  return std::sscanf(text, "%dx%d", &width, &height) == 2 && width > 0 && height > 0 &&
         width <= 8192 && height <= 8192;
}

// Fills `options`; returns an error text, or an empty one when all is well.
std::string parse(int argc, char** argv, StillOptions& options) {
  const std::vector<std::string> words(argv, argv + argc);
  for (int i = 1; i < argc; ++i) {
    std::string problem;
    int taken = readSettingOption(words, static_cast<size_t>(i), options.saver.overrides, problem);
    if (taken < 0) return problem;
    if (taken > 0) {
      i += taken - 1;
      continue;
    }
    std::string flag = argv[i];
    if (i + 1 >= argc) return "every option but the saver's takes a value";
    const char* value = argv[++i];
    if (flag == "--size") {
      if (!parseSize(value, options.saver.width, options.saver.height)) return "bad --size";
    } else if (flag == "--settings") {
      options.saver.settingsFile = value;
    } else if (flag == "--seed") {
      long seed = 0;
      if (!parseWhole(value, 0, 0x7fffffff, seed)) return "--seed must be a whole number";
      options.saver.seed = static_cast<unsigned>(seed);
    } else if (flag == "--local-time") {
      if (!parseLocalTime(value, options.saver.localTime)) return "bad --local-time";
      options.saver.fixedLocalTime = true;
    } else if (flag == "--frames") {
      long frames = 0;
      if (!parseWhole(value, 1, kMaxFrames, frames)) return "--frames must be from 1 to 86400";
      options.frames = static_cast<int>(frames);
    } else if (flag == "--step") {
      long step = 0;
      if (!parseWhole(value, 0, kMaxStepMs, step)) return "--step must be from 0 to 1000 ms";
      options.step = static_cast<unsigned>(step);
    } else if (flag == "--out") {
      options.out = value;
    } else if (flag == "--model") {
      options.model = value;
    } else if (flag == "--preview") {
      options.preview = value;
      options.saver.width = kPreviewWidth * kPreviewOversampling;
      options.saver.height = kPreviewHeight * kPreviewOversampling;
    } else if (flag == "--turn") {
      char* end = nullptr;
      options.turn = std::strtod(value, &end);
      if (end == value || *end != '\0' || !std::isfinite(options.turn)) {
        return "--turn must be a number of degrees";
      }
    } else {
      return "unknown option \"" + flag + "\"";
    }
  }
  if (options.out.empty() && options.preview.empty()) return "--out is required";
  return std::string();
}

int renderScene(const StillOptions& options) {
  OffscreenSaver saver(options.saver);
  if (!saver.ok()) {
    std::fprintf(stderr, "halvenrode-still: no offscreen OpenGL context\n");
    return 1;
  }
  for (int i = 1; i <= options.frames; ++i) saver.frame(static_cast<uint32_t>(i) * options.step);
  if (!options.preview.empty()) {
    std::vector<uint8_t> small = shrinkFrame(saver.pixels(), options.saver.width,
                                             options.saver.height, kPreviewOversampling);
    if (!writeBmp24(options.preview, kPreviewWidth, kPreviewHeight, small)) {
      std::fprintf(stderr, "halvenrode-still: cannot write %s\n", options.preview.c_str());
      return 1;
    }
    return 0;
  }
  if (!saver.savePng(options.out)) {
    std::fprintf(stderr, "halvenrode-still: cannot write %s\n", options.out.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  fillClosedStandardStreams();
  StillOptions options;
  std::string problem = parse(argc, argv, options);
  if (!problem.empty()) return usage(problem);
  if (!options.model.empty()) {
    return renderModelLook(options.model, options.turn, options.saver.width, options.saver.height,
                           options.out);
  }
  return renderScene(options);
}
