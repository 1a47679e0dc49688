#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "overlays/clock_builders.h"
#include "overlays/clock_face.h"
#include "overlays/clock_slots.h"
#include "tests/content/content_fixture.h"
#include "tests/content/test_archives.h"

namespace {

std::tm clockTime(int hour, int minute, int second = 0) {
  std::tm time{};
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

int32_t angle(int32_t hand, const std::tm& time) {
  int32_t degrees = 12345;
  EXPECT_TRUE(clockHandAngle(hand, time, degrees));
  return degrees;
}

// The glyph entries a form shows at hour:minute, in slot order (12-hour:
// AM/PM first), "" for an empty slot.
std::vector<std::string> face(bool hour24, int hour, int minute) {
  std::vector<int32_t> kinds =
      hour24 ? std::vector<int32_t>{HourTens24, HourOnes24, MinuteTens, MinuteOnes}
             : std::vector<int32_t>{AmPm, HourTens12, HourOnes12, MinuteTens, MinuteOnes};
  std::vector<std::string> shown;
  for (int32_t kind : kinds) {
    int32_t value = 0;
    EXPECT_TRUE(clockSlotValue(kind, clockTime(hour, minute), value));
    ClockGlyph glyph;
    EXPECT_TRUE(chooseClockGlyph(kind, value, glyph));
    shown.push_back(glyph.entry);
  }
  return shown;
}

using Face = std::vector<std::string>;

TEST(ClockFace, HandAngles) {
  EXPECT_EQ(angle(SecondHand, clockTime(3, 30, 15)), -90);
  EXPECT_EQ(angle(MinuteHand, clockTime(3, 30, 15)), -180);
  EXPECT_EQ(angle(HourHand, clockTime(3, 30, 15)), -105);
  EXPECT_EQ(angle(HourHand, clockTime(15, 0)), -450);  // reads as three o'clock
  // The hour hand steps once every two minutes.
  EXPECT_EQ(angle(HourHand, clockTime(7, 0)), angle(HourHand, clockTime(7, 1)));
  EXPECT_EQ(angle(HourHand, clockTime(7, 2)), angle(HourHand, clockTime(7, 1)) - 1);
  int32_t unused = 0;
  EXPECT_FALSE(clockHandAngle(0, clockTime(1, 1), unused));
  EXPECT_FALSE(clockHandAngle(4, clockTime(1, 1), unused));
}

TEST(ClockFace, SeparatorShowsInOddSecondsOnly) {
  ClockGlyph glyph;
  for (int second = 0; second < 60; ++second) {
    ASSERT_TRUE(chooseClockGlyph(SecondsSeparator, second, glyph));
    EXPECT_EQ(glyph.entry, second % 2 ? "dot" : "") << second;
    EXPECT_EQ(glyph.watcherSelector, 5);
  }
}

// Midnight and noon, with the hour before and after each, in both forms.
TEST(ClockFace, DigitsAroundMidnightAndNoon) {
  const struct {
    int hour, minute;
    Face hour24, hour12;
  } cases[] = {
      {23, 59, {"2", "3", "5", "9"}, {"pm", "1", "1", "5", "9"}},
      {0, 15, {"0", "0", "1", "5"}, {"am", "1", "2", "1", "5"}},
      {1, 5, {"", "1", "0", "5"}, {"am", "", "1", "0", "5"}},
      {9, 7, {"", "9", "0", "7"}, {"am", "", "9", "0", "7"}},
      {11, 59, {"1", "1", "5", "9"}, {"am", "1", "1", "5", "9"}},
      {12, 0, {"1", "2", "0", "0"}, {"pm", "1", "2", "0", "0"}},
      {13, 5, {"1", "3", "0", "5"}, {"pm", "", "1", "0", "5"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(face(true, c.hour, c.minute), c.hour24) << c.hour << ":" << c.minute;
    EXPECT_EQ(face(false, c.hour, c.minute), c.hour12) << c.hour << ":" << c.minute;
  }
}

TEST(ClockFace, UnknownKindsAndOutOfRangeValuesAreHarmless) {
  ClockGlyph glyph;
  int32_t value = 0;
  EXPECT_FALSE(chooseClockGlyph(0, 3, glyph));
  EXPECT_FALSE(chooseClockGlyph(9, 3, glyph));
  EXPECT_FALSE(clockSlotValue(9, clockTime(1, 2), value));
  ASSERT_TRUE(chooseClockGlyph(HourOnes24, -37, glyph));
  EXPECT_EQ(glyph.entry, "7");
  EXPECT_FALSE(clockGlyphOutdated(7, 3, clockTime(4, 4)));
}

// A clock node built by its own one-shot event, drawn frame by frame.
class ClockNodeTest : public ContentTest {
 protected:
  void TearDown() override {
    delete clock;
    ContentTest::TearDown();
  }
  void build(ClockForm form) {
    clock = createClockNode(1, 2, 3, form);
    drawAt(*clock, 0);
  }
  SceneNode* clock = nullptr;
};

TEST_F(ClockNodeTest, AnalogHandsFollowTheLocalTime) {
  setLocalTime(2026, 3, 1, 3, 30, 15);
  build(ClockForm::Analog);
  ASSERT_EQ(clock->children.size(), 4u);
  EXPECT_EQ(loadedEntry(clock->children[0]), "ciferblat");
  EXPECT_EQ(clock->transform.x, 1 - 9.3);
  EXPECT_EQ(clock->children[1]->timeline.delta.rz, -90);
  EXPECT_EQ(clock->children[2]->timeline.delta.rz, -180);
  EXPECT_EQ(clock->children[3]->timeline.delta.rz, -105);
  EXPECT_EQ(loadedEntry(clock->children[3]), "chas");
}

TEST_F(ClockNodeTest, EverySlotShowsAGlyphFromTheFirstFrame) {
  setLocalTime(2026, 3, 1, 12, 59, 59);
  build(ClockForm::Digital12Hour);
  ASSERT_EQ(clock->children.size(), 7u);  // plate, AM/PM, four digits, separator
  EXPECT_EQ(loadedEntry(clock->children[0]), "podlozka_am");
  EXPECT_DOUBLE_EQ(clock->transform.x, 1 - 10.0 - 5.186);
  std::vector<std::string> shown;
  for (size_t i = 1; i < clock->children.size(); ++i) {
    ASSERT_EQ(clock->children[i]->children.size(), 1u) << "slot " << i;
    shown.push_back(loadedEntry(clock->children[i]->children[0]));
  }
  EXPECT_EQ(shown, Face({"pm", "1", "2", "dot", "5", "9"}));
}

TEST_F(ClockNodeTest, HourChangeReplacesHourAndPlateGlyphsInOneFrame) {
  setLocalTime(2026, 3, 1, 12, 59, 59);
  build(ClockForm::Digital12Hour);
  setLocalTime(2026, 3, 1, 13, 0, 0);
  drawAt(*clock, 1000);
  // AM/PM, hour tens, hour ones: the old glyph closing, the new one added,
  // even where the new plate equals the old.
  for (size_t slot : {1u, 2u, 3u}) {
    const SceneNode* node = clock->children[slot];
    ASSERT_EQ(node->children.size(), 2u) << "slot " << slot;
    EXPECT_TRUE(node->children[0]->closeRequested);
    EXPECT_FALSE(node->children[1]->closeRequested);
  }
  EXPECT_EQ(loadedEntry(clock->children[1]->children[1]), "pm");
  EXPECT_EQ(loadedEntry(clock->children[2]->children[1]), "");
  EXPECT_EQ(loadedEntry(clock->children[3]->children[1]), "1");
  drawAt(*clock, 1016);
  drawAt(*clock, 1032);
  EXPECT_EQ(clock->children[1]->children.size(), 1u);  // the old one is reaped
}

TEST_F(ClockNodeTest, TwentyFourHourFormHasNoPlateSlot) {
  setLocalTime(2026, 3, 1, 0, 7, 2);
  build(ClockForm::Digital24Hour);
  ASSERT_EQ(clock->children.size(), 6u);
  EXPECT_EQ(loadedEntry(clock->children[0]), "podlozka");
  EXPECT_EQ(clock->children[1]->transform.x, -6.483);
  EXPECT_EQ(loadedEntry(clock->children[1]->children[0]), "0");
  EXPECT_EQ(loadedEntry(clock->children[3]->children[0]), "");  // even second
}

}  // namespace
