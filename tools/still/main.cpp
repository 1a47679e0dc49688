// halvenrode-still: renders the saver's frames offscreen, with no display.
//
//   halvenrode-still [--size WxH] [--settings FILE] [--seed N]
//                    [--local-time "YYYY-MM-DD HH:MM:SS"]
//                    [--frames N] [--step MS] --out FILE.png
//   halvenrode-still --model ARCHIVE:ENTRY [--turn DEGREES] [--size WxH] --out FILE.png
//   halvenrode-still --preview FILE.ppk [scene options]
//
// --preview draws at four times 152 x 112 and writes the host's preview
// picture (a 24-bit BMP, averaged down) instead of a PNG.
// Frame i (from 1) is drawn at simulated time i × step; the last one is
// written. The scene and frame code are the saver's own.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/local_time.h"
#include "tools/still/offscreen_saver.h"
#include "tools/still/preview_picture.h"
#if __has_include("tools/still/model_look.h")
#include "tools/still/model_look.h"
#define HAVE_MODEL_LOOK 1
#endif

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

int usage(const char* problem) {
  std::fprintf(stderr, "halvenrode-still: %s\n", problem);
  std::fprintf(stderr,
               "usage: halvenrode-still [--size WxH] [--settings FILE] [--seed N]\n"
               "         [--local-time \"YYYY-MM-DD HH:MM:SS\"] [--frames N] [--step MS]\n"
               "         --out FILE.png\n"
               "       halvenrode-still --model ARCHIVE:ENTRY [--turn DEGREES] [--size WxH]\n"
               "         --out FILE.png\n");
  return 2;
}

bool parseSize(const char* text, int& width, int& height) {
  return std::sscanf(text, "%dx%d", &width, &height) == 2 && width > 0 && height > 0 &&
         width <= 8192 && height <= 8192;
}

// Fills `options`; returns an error text, or nullptr when all is well.
const char* parse(int argc, char** argv, StillOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string flag = argv[i];
    if (i + 1 >= argc) return "every option takes a value";
    const char* value = argv[++i];
    if (flag == "--size") {
      if (!parseSize(value, options.saver.width, options.saver.height)) return "bad --size";
    } else if (flag == "--settings") {
      options.saver.settingsFile = value;
    } else if (flag == "--seed") {
      options.saver.seed = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
    } else if (flag == "--local-time") {
      if (!parseLocalTime(value, options.saver.localTime)) return "bad --local-time";
      options.saver.fixedLocalTime = true;
    } else if (flag == "--frames") {
      options.frames = std::atoi(value);
      if (options.frames < 1) return "--frames must be at least 1";
    } else if (flag == "--step") {
      options.step = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
    } else if (flag == "--out") {
      options.out = value;
    } else if (flag == "--model") {
      options.model = value;
    } else if (flag == "--preview") {
      options.preview = value;
      options.saver.width = kPreviewWidth * kPreviewOversampling;
      options.saver.height = kPreviewHeight * kPreviewOversampling;
    } else if (flag == "--turn") {
      options.turn = std::atof(value);
    } else {
      return "unknown option";
    }
  }
  if (options.out.empty() && options.preview.empty()) return "--out is required";
  return nullptr;
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
  StillOptions options;
  if (const char* problem = parse(argc, argv, options)) return usage(problem);
  if (!options.model.empty()) {
#ifdef HAVE_MODEL_LOOK
    return renderModelLook(options.model, options.turn, options.saver.width, options.saver.height,
                           options.out);
#else
    return usage("--model is not available in this build");
#endif
  }
  return renderScene(options);
}
