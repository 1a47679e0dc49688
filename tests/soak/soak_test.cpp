#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <sstream>

#include "app/saver_run.h"
#include "platform/local_time.h"
#include "resources/pak_cache.h"
#include "scene/random.h"
#include "tests/content/test_archives.h"
#include "tools/soak/overlay_check.h"
#include "tools/soak/scene_census.h"
#include "tools/soak/soak_run.h"
#include "tools/soak/soak_schedule.h"
#include "tools/still/offscreen_saver.h"

namespace {

TEST(SoakSchedule, StepsStayInRangeAndStallsComeOnceEachWithoutCountingAsFrames) {
  const uint64_t span = 10 * 60 * 1000;
  SoakSchedule schedule(span, standardStalls(span), 3);
  uint64_t previous = 0, stalledMs = 0;
  int stalls = 0;
  while (!schedule.done()) {
    uint64_t raw = schedule.next();
    uint64_t step = raw - previous;
    if (schedule.stalledBeforeLastFrame()) {
      ++stalls;
      stalledMs += step;
    } else {
      ASSERT_GE(step, 16u);
      ASSERT_LE(step, 50u);
    }
    previous = raw;
  }
  EXPECT_EQ(stalls, 3);
  EXPECT_EQ(schedule.stallsTaken(), 3);
  EXPECT_GE(schedule.framedMs(), span);
  EXPECT_LT(schedule.framedMs(), span + 50);
  // The stalls' own lengths, plus the frame step that follows each.
  uint64_t stallTotal = (10 + 3600 + 8 * 3600) * 1000ull;
  EXPECT_GE(stalledMs, stallTotal + 3 * 16);
  EXPECT_EQ(schedule.rawMs(), schedule.framedMs() + stallTotal);
}

TEST(SoakSchedule, SameSeedSameSteps) {
  SoakSchedule a(60000, {}, 9), b(60000, {}, 9), c(60000, {}, 10);
  bool differs = false;
  while (!a.done()) {
    uint64_t step = a.next();
    EXPECT_EQ(step, b.next());
    differs = differs || step != c.next();
  }
  EXPECT_TRUE(differs);
}

class SoakOnTestArchives : public ::testing::Test {
 protected:
  void SetUp() override {
    static const std::string folder = writeTestArchives();
    ASSERT_FALSE(folder.empty());
    settingsPath = folder + "soak" + std::to_string(getpid()) + ".cfg";
    // Every overlay on, 12-hour digital clock.
    const unsigned char flags[7] = {1, 1, 0, 0, 1, 1, 0};
    ASSERT_TRUE(writeSettingsFile(settingsPath, flags));
    setRandomSource(nullptr);
  }
  void TearDown() override { std::remove(settingsPath.c_str()); }

  OffscreenSaverOptions saverOptions() const {
    OffscreenSaverOptions o;
    o.width = 32;
    o.height = 24;
    o.settingsFile = settingsPath;
    o.fixedLocalTime = parseLocalTime("2026-12-31 23:59:58", o.localTime);
    return o;
  }

  std::string settingsPath;
};

TEST_F(SoakOnTestArchives, ShortRunAcrossMidnightHoldsEveryCheck) {
  SoakOptions options;
  options.hours = 3.0 / 60;
  options.width = 32;
  options.height = 24;
  options.settingsFile = settingsPath;
  // Three minutes say nothing about growth, and under the address checker
  // freed memory is held back on purpose: the long runs check memory.
  options.checkMemory = false;
  ASSERT_TRUE(parseLocalTime("2026-12-31 23:59:00", options.localStart));
  SoakFigures figures;
  std::ostringstream progress;
  bool passed = runSoak(options, figures, progress);
  std::ostringstream report;
  printFigures(figures, report);
  EXPECT_TRUE(passed) << report.str();
  EXPECT_EQ(figures.stalls, 3);
  EXPECT_GE(figures.midnights, 1);
  EXPECT_GT(figures.frames, 3000u);
  EXPECT_GE(figures.particlesMin, options.particles.low);
  EXPECT_EQ(pakCache.useCount("main.pak"), 0);
}

TEST_F(SoakOnTestArchives, ChecksSeeAnUnreleasedUseAndAStaleClock) {
  OffscreenSaver saver(saverOptions());
  ASSERT_TRUE(saver.ok());
  for (uint32_t t = 20; t <= 3000; t += 20) saver.frame(t);
  std::time_t shown = 0;
  ASSERT_TRUE(parseLocalTime("2027-01-01 00:00:01", shown));
  std::tm now = *std::localtime(&shown);
  EXPECT_EQ(overlayMismatches(now), "");
  EXPECT_EQ(useCountMismatches(takeCensus()), "");

  // A use nobody gives back, and a local time the frames have not seen.
  pakCache.acquireArchive("clock.pak");
  EXPECT_NE(useCountMismatches(takeCensus()).find("clock.pak"), std::string::npos);
  pakCache.releaseArchive("clock.pak");
  std::time_t later = shown + 3600 * 5 + 60 * 7;
  std::tm fiveHoursOn = *std::localtime(&later);
  EXPECT_NE(overlayMismatches(fiveHoursOn), "");
  fiveHoursOn.tm_mday += 1;
  std::time_t tomorrow = std::mktime(&fiveHoursOn);
  EXPECT_NE(overlayMismatches(*std::localtime(&tomorrow)).find("calendar"), std::string::npos);
}

}  // namespace
