// The saver's command-line options change the picture where they should:
// the still renderer, with the real archives, draws the same moment with
// and without each option, and the pixels that differ must lie in the
// corner of the overlay that the option concerns.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/png_file.h"
#include "tests/content/test_archives.h"

namespace {

enum class Where { Nowhere, TopLeft, TopRight, BottomRight };

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // RGBA, top row first
};

class OptionPicturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = folderOfPath(STILL_PROGRAM) + "/";
    if (access((folder + "main.pak").c_str(), R_OK) != 0) {
      GTEST_SKIP() << "the archives have not been generated";
    }
    base = "/tmp/halvenrode_options_" + std::to_string(getpid());
  }
  void TearDown() override { std::remove((base + ".cfg").c_str()); }

  // One moment of the scene, always the same but for `options`.
  Picture still(const std::string& options) {
    std::string out = base + ".png";
    std::string command = "HALVENRODE_REGISTRY_FILE=" + base + ".none " + STILL_PROGRAM +
                          " --size 320x240 --seed 3 --local-time \"2026-12-15 13:59:30\""
                          " --frames 2 --step 50 " + options + " --out " + out;
    Picture picture;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_TRUE(readPngRgba(out, picture.width, picture.height, picture.pixels)) << command;
    std::remove(out.c_str());
    return picture;
  }

  std::string folder;
  std::string base;
};

// Which quarter of the picture holds every pixel that differs.
Where whereTheyDiffer(const Picture& a, const Picture& b) {
  int left = a.width, right = -1, top = a.height, bottom = -1;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      size_t at = (static_cast<size_t>(y) * a.width + x) * 4;
      for (size_t c = 0; c < 3; ++c) {
        if (std::abs(int(a.pixels[at + c]) - int(b.pixels[at + c])) > 2) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
          break;
        }
      }
    }
  }
  if (right < 0) return Where::Nowhere;
  bool inLeft = right < a.width / 2, inRight = left >= a.width / 2;
  bool inTop = bottom < a.height / 2, inBottom = top >= a.height / 2;
  if (inLeft && inTop) return Where::TopLeft;
  if (inRight && inTop) return Where::TopRight;
  if (inRight && inBottom) return Where::BottomRight;
  return static_cast<Where>(-1);
}

TEST_F(OptionPicturesTest, EachOptionChangesItsOwnCorner) {
  struct Case {
    const char* without;
    const char* with;
    Where where;
  };
  const std::vector<Case> cases = {
      {"--clock=none --calendar=none", "--clock=none --calendar=none --fps", Where::TopLeft},
      {"--clock=none --calendar=none", "--calendar=none --clock=digital", Where::BottomRight},
      {"--calendar=none", "--calendar=none --clock=analog", Where::BottomRight},
      {"--calendar=none", "--calendar=none --24-hour", Where::BottomRight},
      {"--calendar=none --small-clock", "--calendar=none --large-clock", Where::BottomRight},
      {"--clock=none --calendar=none", "--clock=none --calendar=sunday", Where::TopRight},
      {"--clock=none", "--clock=none --calendar=monday", Where::TopRight},
      {"--fps", "-fps --clock=digital", Where::Nowhere},
      {"", "--fps --no-fps --12-hour", Where::Nowhere},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(whereTheyDiffer(still(c.without), still(c.with)), c.where)
        << "\"" << c.without << "\" against \"" << c.with << "\"";
  }
}

// A flag wins over the settings file, which wins over the defaults.
TEST_F(OptionPicturesTest, OptionsWinOverTheSettingsFile) {
  // Frame rate on, clock on, digital, 12-hour, large, calendar on, Sunday.
  const unsigned char withFrameRate[7] = {1, 1, 0, 0, 1, 1, 0};
  ASSERT_TRUE(writeSettingsFile(base + ".cfg", withFrameRate));
  Picture defaults = still("");
  EXPECT_EQ(whereTheyDiffer(defaults, still("--settings " + base + ".cfg")), Where::TopLeft);
  EXPECT_EQ(whereTheyDiffer(defaults, still("--settings " + base + ".cfg --no-fps")),
            Where::Nowhere);
}

}  // namespace
