#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/frame_clock.h"
#include "app/saver_run.h"
#include "app/scene_assembly.h"
#include "app/video_context.h"
#include "landscape/terrain.h"
#include "landscape/vegetation.h"
#include "overlays/frame_rate.h"
#include "platform/local_time.h"
#include "platform/paths.h"
#include "platform/png_file.h"
#include "resources/pak_cache.h"
#include "scene/random.h"
#include "scene/scene_node.h"
#include "tests/content/test_archives.h"
#include "tools/still/offscreen_saver.h"

namespace {

SceneNode* landscapeNode() { return worldRoot->children[0]->children[0]; }
SceneNode* trainNode() { return landscapeNode()->children[kTrainChild]; }

// Overlay flags, in the settings file's order.
enum Flag { FrameRate, Clock, Analog, Hour24, LargeClock, Calendar, MondayFirst };

class WholeSceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static const std::string folder = writeTestArchives();
    ASSERT_FALSE(folder.empty());
    settingsPath = folder + "settings" + std::to_string(getpid()) + ".cfg";
    setRandomSource(nullptr);
  }
  void TearDown() override {
    setRandomSource(nullptr);
    std::remove(settingsPath.c_str());
  }

  OffscreenSaverOptions options(std::vector<Flag> set, int width = 160, int height = 120) {
    unsigned char flags[7] = {};
    for (Flag flag : set) flags[flag] = 1;
    EXPECT_TRUE(writeSettingsFile(settingsPath, flags));
    OffscreenSaverOptions o;
    o.width = width;
    o.height = height;
    o.settingsFile = settingsPath;
    o.seed = 5;
    o.fixedLocalTime = parseLocalTime("2026-12-15 13:59:58", o.localTime);
    return o;
  }

  std::string settingsPath;
};

// The scene's first random draw is the phase: it comes once the background
// has loaded its model, the order in which the assembly makes them.
bool backgroundLoadedAtFirstDraw = false;
int drawCount = 0;
int alwaysZero() {
  if (drawCount++ == 0) backgroundLoadedAtFirstDraw = pakCache.isOpen("main.pak");
  return 0;
}

TEST_F(WholeSceneTest, OverlaysFollowTheFlagsInTheirOrder) {
  {
    OffscreenSaver saver(options({FrameRate, Clock, LargeClock, Calendar}));
    ASSERT_TRUE(saver.ok());
    ASSERT_EQ(overlayRoot->children.size(), 3u);
    EXPECT_EQ(overlayRoot->children[0]->transform.z, -140);  // calendar
    EXPECT_EQ(overlayRoot->children[1]->transform.z, 30);    // large clock
    EXPECT_EQ(loadedEntry(overlayRoot->children[2]), "fps");
    // The names the landscape draws from are there before the first frame.
    EXPECT_EQ(terrainNames().size(), 1u);
    EXPECT_EQ(vegetationNames().size(), 9u);
    // Clock and counter sit inside the view at their depths.
    EXPECT_GT(overlayRoot->children[1]->transform.x, 0);
    EXPECT_LT(overlayRoot->children[1]->transform.y, 0);
    EXPECT_LT(overlayRoot->children[2]->transform.x, 0);
    EXPECT_GT(overlayRoot->children[2]->transform.y, 0);
  }
  {
    OffscreenSaver saver(options({}));
    ASSERT_TRUE(saver.ok());
    EXPECT_TRUE(overlayRoot->children.empty());
    for (int i = 1; i <= 5; ++i) saver.frame(i * 20);
    EXPECT_EQ(framesCounted(), 0);
    EXPECT_EQ(vegetationNames().size(), 9u);  // a second scene starts afresh
  }
}

// A host window that changes size: the overlays move to where a scene
// started at the new size has them, builders' own shifts included.
TEST_F(WholeSceneTest, OverlaysFollowAResizedView) {
  auto positionsAfterOneFrame = [&](int width, int resizeTo) {
    OffscreenSaver saver(options({FrameRate, Clock, Calendar}, width, 120));
    EXPECT_TRUE(saver.ok());
    saver.frame(20);  // the builders run and shift their nodes
    if (resizeTo != 0) {
      currentRun().video().resize(resizeTo, 120);
      placeOverlays();
    }
    std::vector<double> positions;
    for (const SceneNode* overlay : overlayRoot->children) {
      positions.insert(positions.end(), {overlay->transform.x, overlay->transform.y, overlay->transform.z});
    }
    return positions;
  };
  std::vector<double> wide = positionsAfterOneFrame(320, 0);
  std::vector<double> resized = positionsAfterOneFrame(160, 320);
  ASSERT_EQ(wide.size(), 9u);
  ASSERT_EQ(resized.size(), wide.size());
  for (size_t i = 0; i < wide.size(); ++i) EXPECT_NEAR(resized[i], wide[i], 1e-9) << i;
  EXPECT_NE(positionsAfterOneFrame(160, 0), wide);
}

TEST_F(WholeSceneTest, SwayStartsFromTheDrawnPhase) {
  setRandomSource(alwaysZero);
  drawCount = 0;
  OffscreenSaver saver(options({}));
  ASSERT_TRUE(saver.ok());
  EXPECT_TRUE(backgroundLoadedAtFirstDraw);
  saver.frame(0);
  SceneNode* dolly = worldRoot->children[0];
  EXPECT_NEAR(dolly->timeline.delta.z, -8, 1e-9);
  EXPECT_NEAR(landscapeNode()->timeline.delta.rz, 0, 1e-9);
  EXPECT_NEAR(landscapeNode()->timeline.delta.ry, 12, 1e-9);
  EXPECT_EQ(landscapeNode()->transform.rx, -62);
  EXPECT_EQ(landscapeNode()->transform.rz, -90);
  // Background, light and train first, then the first piece; with a first
  // step of 0 the spawner waits for the next frame.
  EXPECT_EQ(loadedEntry(landscapeNode()->children[kBackgroundChild]), "fon");
  ASSERT_EQ(landscapeNode()->children.size(), kFirstTerrainPieceChild + 1u);
  EXPECT_EQ(loadedEntry(landscapeNode()->children[kFirstTerrainPieceChild]), "relef1");
  saver.frame(16);
  ASSERT_EQ(landscapeNode()->children.size(), kFirstTerrainPieceChild + 2u);
  EXPECT_EQ(loadedEntry(landscapeNode()->children[kFirstTerrainPieceChild + 1]), "relef2");
  EXPECT_EQ(landscapeNode()->children[kLightChild]->transform.z, 20);
}

// True when two live pieces stand 200 apart with the nearer one's origin
// between 200 units behind the train and the train itself: the ground under
// and ahead of the train is whole.
bool continuousGround() {
  std::vector<double> origins;
  const std::vector<SceneNode*>& children = landscapeNode()->children;
  for (size_t i = kFirstTerrainPieceChild; i < children.size(); ++i) {
    if (!children[i]->closeRequested) {
      origins.push_back(children[i]->transform.x + children[i]->timeline.delta.x);
    }
  }
  for (double near : origins) {
    if (near < -200 - 1e-6 || near > 1e-6) continue;
    for (double far : origins) {
      if (std::fabs(far - near - 200) < 1e-6) return true;
    }
  }
  return false;
}

size_t smokeParticles() { return trainNode()->children[9]->children.size(); }

TEST_F(WholeSceneTest, StallAndClockSetBackAreNotCaughtUpAtOnce) {
  OffscreenSaver saver(options({Clock, Calendar, FrameRate}, 96, 72));
  ASSERT_TRUE(saver.ok());
  FrameClock clock;
  uint32_t raw = 123456;
  auto frames = [&](int count, uint32_t step) {
    for (int i = 0; i < count; ++i) {
      raw += step;
      saver.frame(clock.advance(raw));
      ASSERT_LT(smokeParticles(), 200u) << "raw " << raw;
    }
  };
  frames(400, 50);  // 20 s of steady running
  ASSERT_TRUE(continuousGround());
  size_t steady = smokeParticles();

  raw += 8u * 3600u * 1000u;  // eight hours asleep
  frames(3, 50);
  EXPECT_TRUE(continuousGround());
  EXPECT_LT(smokeParticles(), steady + 40);

  raw -= 10000;  // the clock set back by 10 s
  frames(3, 50);
  EXPECT_TRUE(continuousGround());
  frames(600, 50);  // and the run goes on: pieces keep coming
  EXPECT_TRUE(continuousGround());
  EXPECT_LT(smokeParticles(), 200u);
}

std::vector<uint8_t> render(const OffscreenSaverOptions& o, int frames, uint32_t step) {
  OffscreenSaver saver(o);
  EXPECT_TRUE(saver.ok());
  for (int i = 1; i <= frames; ++i) saver.frame(static_cast<uint32_t>(i) * step);
  return saver.pixels();
}

// Pixels further apart than a rounding step.
size_t differingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() != b.size()) return a.size() + b.size();
  size_t differing = 0;
  for (size_t i = 0; i < a.size(); i += 4) {
    for (size_t c = 0; c < 3; ++c) {
      if (std::abs(int(a[i + c]) - int(b[i + c])) > 2) {
        ++differing;
        break;
      }
    }
  }
  return differing;
}

TEST_F(WholeSceneTest, SameSeedTimeAndSettingsGiveTheSamePicture) {
  OffscreenSaverOptions o = options({Clock, Calendar, FrameRate, LargeClock}, 200, 150);
  std::vector<uint8_t> first = render(o, 90, 100);
  std::vector<uint8_t> second = render(o, 90, 100);
  EXPECT_EQ(differingPixels(first, second), 0u);
  size_t lit = 0;
  for (size_t i = 0; i < first.size(); i += 4) lit += first[i] + first[i + 1] + first[i + 2] > 0;
  EXPECT_GT(lit, 100u);  // the picture is not empty
  o.seed = 6;  // another seed plants and sways differently
  EXPECT_GT(differingPixels(first, render(o, 90, 100)), 0u);
}

// With the real archives next to the still renderer: two runs of the
// program give the same picture.
TEST(StillProgram, RendersTheSamePictureOnEveryRun) {
  std::string program = STILL_PROGRAM;
  std::string folder = folderOfPath(program) + "/";
  ASSERT_EQ(access((folder + "main.pak").c_str(), R_OK), 0) << "no generated archives in " << folder;
  std::string base = "/tmp/halvenrode_golden_" + std::to_string(getpid());
  std::vector<std::vector<uint8_t>> pictures;
  for (int run = 0; run < 2; ++run) {
    std::string out = base + "_" + std::to_string(run) + ".png";
    std::string command = program +
                          " --size 320x240 --seed 9 --local-time \"2026-12-15 10:20:30\""
                          " --frames 40 --step 50 --out " + out;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
    ASSERT_TRUE(readPngRgba(out, width, height, pixels));
    EXPECT_EQ(width, 320);
    pictures.push_back(pixels);
    std::remove(out.c_str());
  }
  EXPECT_EQ(differingPixels(pictures[0], pictures[1]), 0u);
}

// The model viewer frames one model on its grey ground: the corners keep the
// ground, and the model covers a good part of the middle.
TEST(StillProgram, ModelLookShowsTheModelFramed) {
  std::string program = STILL_PROGRAM;
  std::string folder = folderOfPath(program) + "/";
  std::string out = "/tmp/halvenrode_model_" + std::to_string(getpid()) + ".png";
  std::string command = program + " --model " + folder + "main.pak:parovoz --size 120x90 --out " + out;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;
  ASSERT_TRUE(readPngRgba(out, width, height, pixels));
  std::remove(out.c_str());
  const uint8_t* ground = &pixels[0];
  size_t model = 0;
  for (int y = height / 4; y < 3 * height / 4; ++y) {
    for (int x = width / 4; x < 3 * width / 4; ++x) {
      const uint8_t* p = &pixels[4 * (y * width + x)];
      model += std::memcmp(p, ground, 3) != 0;
    }
  }
  EXPECT_GT(model, size_t(width * height / 4 / 4)) << "the middle is mostly ground";
  const uint8_t* farCorner = &pixels[4 * (width * height - 1)];
  EXPECT_EQ(std::memcmp(farCorner, ground, 3), 0);
}

// Values that would make the scene catch up days in one frame, render for
// ever, or draw a meaningless picture are refused at once as mistakes; a
// folder or a pipe given as a file is refused or read as no file.
// An address-space limit stops a runaway allocation early, but the address
// sanitizer reserves terabytes of shadow memory and cannot start under one.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HALVENRODE_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(HALVENRODE_ADDRESS_SANITIZER)
constexpr const char* kAddressLimit = "";
#else
constexpr const char* kAddressLimit = "ulimit -v 4194304; ";
#endif

TEST(StillProgram, RefusesWhatCannotGiveAStillPicture) {
  std::string program = STILL_PROGRAM;
  std::string folder = folderOfPath(program) + "/";
  std::string scratch = "/tmp/halvenrode_still_" + std::to_string(getpid());
  ASSERT_EQ(mkdir(scratch.c_str(), 0700), 0);
  std::string pipe = scratch + "/pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::string out = " --size 32x24 --out " + scratch + "/x.png";
  struct Case {
    std::string arguments;
    int status;
  } cases[] = {
      {"--step -1", 2}, {"--step 4294967295", 2}, {"--step 1e20", 2}, {"--step 36000000", 2},
      {"--step 12abc", 2}, {"--frames 0", 2}, {"--frames 99999999999", 2},
      {"--model " + folder + "main.pak:fon --turn nan", 2},
      {"--model " + folder + "main.pak:fon --turn inf", 2},
      {"--model " + scratch + ":fon", 3},      // a folder as the archive
      {"--settings " + pipe + " --frames 1", 0},  // a pipe reads as no file
  };
  for (const Case& c : cases) {
    // The limits only bound a regression; a sound program ends at once.
    std::string command = std::string(kAddressLimit) + "timeout 60 " + program + " " +
                          c.arguments + out + " 2>/dev/null";
    int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status)) << c.arguments;
    EXPECT_EQ(WEXITSTATUS(status), c.status) << c.arguments;
  }
  std::remove(pipe.c_str());
  std::remove((scratch + "/x.png").c_str());
  rmdir(scratch.c_str());
}

}  // namespace
