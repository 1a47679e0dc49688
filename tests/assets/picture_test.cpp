// The whole scene as a viewer sees it, on the generated archives: the
// ground reads as lit snow rather than a white sheet, and fresh stills
// still match the committed reference stills.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/settings.h"
#include "platform/local_time.h"
#include "platform/png_file.h"
#include "scene/scene_node.h"
#include "tests/support/picture_measures.h"
#include "tools/assets/dimensions.h"
#include "tools/config/settings_writer.h"
#include "tools/still/offscreen_saver.h"

namespace {

// Every overlay on: a digital 24-hour large clock, the calendar and the
// frame-rate counter. Returns the settings file's path.
std::string allOverlaysSettings() {
  Settings settings;
  settings.showFrameRate = settings.showClock = settings.clock24Hour = settings.largeClock = 1;
  settings.showCalendar = 1;
  std::string path = ::testing::TempDir() + "halvenrode_picture_settings" + std::to_string(getpid());
  std::string problem;
  EXPECT_TRUE(writeSettingsFile(path, settings, problem)) << problem;
  return path;
}

struct Still {
  int width, height;
  unsigned seed;
  int seconds;
};

}  // namespace

TEST(Picture, TheGroundIsPaintedForTheSceneLight) {
  OffscreenSaverOptions options;
  options.width = 64;
  options.height = 48;
  OffscreenSaver saver(options);
  ASSERT_TRUE(saver.ok());
  saver.frame(0);
  // World root, dolly, landscape; its third child carries light 1.
  const Transform& light = worldRoot->children[0]->children[0]->children[2]->transform;
  EXPECT_EQ(light.x, dims::kLightPosition.x);
  EXPECT_EQ(light.y, dims::kLightPosition.y);
  EXPECT_EQ(light.z, dims::kLightPosition.z);
}

// Stills at the screen shapes people use, at a moment when most of the
// picture is ground: no more than a fifth of the 16-pixel blocks may be
// featureless near-white.
TEST(Picture, SnowfieldIsNotAWhiteSheet) {
  std::string settings = allOverlaysSettings();
  for (const Still& still : {Still{1024, 768, 3, 2}, Still{2560, 1080, 42, 20}}) {
    OffscreenSaverOptions options;
    options.width = still.width;
    options.height = still.height;
    options.settingsFile = settings;
    options.seed = still.seed;
    options.fixedLocalTime = parseLocalTime("2026-12-15 13:59:30", options.localTime);
    OffscreenSaver saver(options);
    ASSERT_TRUE(saver.ok());
    for (int frame = 1; frame <= still.seconds * 4; ++frame) saver.frame(uint32_t(frame) * 250);
    std::vector<uint8_t> pixels = saver.pixels();
    EXPECT_LE(featurelessWhiteShare(pixels, still.width, still.height), 0.20)
        << still.width << "x" << still.height << " seed " << still.seed << " at " << still.seconds << " s";
  }
  std::remove(settings.c_str());
}

#ifdef STILL_PROGRAM
namespace {

// A pixel has changed when a channel moved by more than this (of 255); a
// still matches its reference when at most this share of pixels changed.
// Room for rounding in another build of the rasteriser, none for a change
// in what the scene shows.
constexpr int kPixelTolerance = 16;
constexpr double kChangedShare = 0.01;

double changedShare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size() || a.empty()) return 1.0;
  size_t changed = 0;
  for (size_t i = 0; i < a.size(); i += 4)
    for (int c = 0; c < 3; ++c)
      if (std::abs(int(a[i + c]) - int(b[i + c])) > kPixelTolerance) {
        ++changed;
        break;
      }
  return double(changed) / double(a.size() / 4);
}

}  // namespace

TEST(GoldenStills, FreshRendersMatchTheReferences) {
  std::string folder = GOLDEN_DIR "/";
  std::ifstream list(folder + "stills.txt");
  ASSERT_TRUE(list) << "no list of reference stills";
  std::string settings = allOverlaysSettings(), line;
  int compared = 0;
  while (std::getline(list, line)) {
    std::istringstream fields(line);
    std::string file, seed, date, time, frames, step;
    if (line.empty() || line[0] == '#' || !(fields >> file >> seed >> date >> time >> frames >> step)) continue;
    std::string out = ::testing::TempDir() + "halvenrode_golden_" + std::to_string(getpid()) + ".png";
    std::string command = std::string(STILL_PROGRAM) + " --size 320x240 --settings " + settings +
                          " --seed " + seed + " --local-time \"" + date + " " + time + "\" --frames " + frames +
                          " --step " + step + " --out " + out;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    int width = 0, height = 0, refWidth = 0, refHeight = 0;
    std::vector<uint8_t> fresh, reference;
    ASSERT_TRUE(readPngRgba(out, width, height, fresh));
    std::remove(out.c_str());
    ASSERT_TRUE(readPngRgba(folder + file, refWidth, refHeight, reference)) << file;
    EXPECT_LE(changedShare(fresh, reference), kChangedShare)
        << file << " no longer matches; if the change is meant, run scripts/golden-stills";
    ++compared;
  }
  EXPECT_GE(compared, 3);
  std::remove(settings.c_str());
}
#endif
