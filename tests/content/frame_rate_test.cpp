#include <gtest/gtest.h>

#include <string>

#include "overlays/frame_rate.h"
#include "tests/content/content_fixture.h"
#include "tests/content/test_archives.h"

namespace {

// The digits as read left to right.
std::string shown(int32_t frames) {
  std::string text;
  for (const FrameRateDigit& digit : frameRateDigits(frames)) text.insert(text.begin(), digit.entry);
  return text;
}

TEST(FrameRateDigits, WindowCountsBecomeTheAverageRate) {
  EXPECT_EQ(shown(149), "29");
  EXPECT_EQ(shown(49), "9");
  EXPECT_EQ(shown(50), "10");
  EXPECT_EQ(shown(499), "99");
  EXPECT_EQ(shown(500), "100");
  EXPECT_EQ(shown(5000), "000");  // no thousands digit
  EXPECT_EQ(shown(1), "0");
  EXPECT_EQ(frameRateDigits(500)[2].x, 0.5);
  EXPECT_EQ(frameRateDigits(500)[0].x, 3.3);
}

class FrameRateNodeTest : public ContentTest {
 protected:
  void TearDown() override {
    delete counter;
    ContentTest::TearDown();
  }
  std::string digitsOnScreen() const {
    std::string text;
    for (const SceneNode* child : counter->children) {
      if (!child->closeRequested) text.insert(text.begin(), loadedEntry(child)[0]);
    }
    return text;
  }
  SceneNode* counter = nullptr;
};

TEST_F(FrameRateNodeTest, FirstDisplayThenOneWindowOfFrames) {
  counter = createFrameRateNode(4, 5);
  EXPECT_EQ(loadedEntry(counter), "fps");
  drawAt(*counter, 0);
  EXPECT_TRUE(counter->children.empty());
  drawAt(*counter, 16);  // the first non-zero step shows the one frame counted
  EXPECT_EQ(digitsOnScreen(), "0");
  EXPECT_EQ(framesCounted(), 0);
  // 148 quick frames, then one long enough to close the window: 149 frames.
  uint32_t t = 16;
  for (int i = 0; i < 148; ++i) drawAt(*counter, ++t);
  EXPECT_EQ(counter->children.size(), 1u);
  drawAt(*counter, 5017);  // the first display's digits are just past their time
  EXPECT_EQ(digitsOnScreen(), "29");
}

}  // namespace
