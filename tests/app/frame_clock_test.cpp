#include <gtest/gtest.h>

#include "app/frame_clock.h"

namespace {

TEST(FrameClock, NormalStepsPassUnchanged) {
  FrameClock clock;
  EXPECT_EQ(clock.advance(400), 400u);
  EXPECT_EQ(clock.advance(416), 416u);
  EXPECT_EQ(clock.advance(432), 432u);
}

TEST(FrameClock, LongStallCountsOneSecond) {
  FrameClock clock;
  clock.advance(500);
  EXPECT_EQ(clock.advance(500 + 8u * 3600 * 1000), 1500u);
  EXPECT_EQ(clock.advance(500 + 8u * 3600 * 1000 + 16), 1516u);
}

TEST(FrameClock, ClockSetBackCountsNothing) {
  FrameClock clock;
  clock.advance(900);
  EXPECT_EQ(clock.advance(1800), 1800u);
  EXPECT_EQ(clock.advance(800), 1800u);
  EXPECT_EQ(clock.advance(816), 1816u);
}

TEST(FrameClock, RawCountWrapIsAShortStep) {
  FrameClock clock;
  clock.advance(0x70000000u);  // each long step counts as one second
  clock.advance(0xE0000000u);
  EXPECT_EQ(clock.advance(0xFFFFFFF0u), 3000u);
  EXPECT_EQ(clock.advance(0x10u), 3032u);
}

}  // namespace
