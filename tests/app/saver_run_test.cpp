// The run object: what ends a run early.
#include <gtest/gtest.h>

#include <string>

#include "app/saver_run.h"
#include "resources/pak_cache.h"

namespace {

// A scene whose archive cannot be read shows nothing it was meant to: the
// run ends with status 1 and one line naming the archive, whenever it is
// first asked for.
TEST(SaverRunDeathTest, UnreadableArchiveEndsTheRunWithStatusOne) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_EXIT(
      {
        SaverRun run{RunSettings()};
        pakCache.acquireArchive("absent.pak");
      },
      testing::ExitedWithCode(1),
      "^[^\n]*: cannot read the archive absent\\.pak: [^\n]*absent\\.pak does not exist\n$");
}

}  // namespace
