#include <gtest/gtest.h>

#include <string>
#include <utility>

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

// Frames in a five-second window, each digit's threshold and the count
// a frame either side: the rate is truncated, no thousands digit.
TEST(FrameRateDigits, WindowCountsBecomeTheAverageRate) {
  const std::pair<int32_t, const char*> counts[] = {
      {1, "0"},    {4, "0"},     {5, "1"},      {149, "29"},    {49, "9"},
      {50, "10"},  {51, "10"},   {499, "99"},   {500, "100"},   {501, "100"},
      {4999, "999"}, {5000, "000"}};
  for (const auto& count : counts) EXPECT_EQ(shown(count.first), count.second) << count.first;
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
  // The next window ends 5000 ms after the first display's frame: 147
  // quick frames and one at 5000 ms stay inside it, the 149th ends it.
  uint32_t t = 16;
  for (int i = 0; i < 147; ++i) drawAt(*counter, ++t);
  drawAt(*counter, 5000);
  EXPECT_EQ(counter->children.size(), 1u);
  drawAt(*counter, 5001);
  ASSERT_EQ(counter->children.size(), 3u);
  EXPECT_EQ(loadedEntry(counter->children[2]) + loadedEntry(counter->children[1]), "29");
  // The first display's digit shows for its 5000 ms to the frame, no more.
  const SceneNode* first = counter->children[0];
  drawAt(*counter, 5016);
  EXPECT_FALSE(first->closeRequested);
  drawAt(*counter, 5017);
  EXPECT_EQ(digitsOnScreen(), "29");
}

}  // namespace
