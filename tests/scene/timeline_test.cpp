#include <gtest/gtest.h>

#include <vector>

#include "scene/frame_globals.h"
#include "scene/node_timeline.h"

namespace {

// Records each callback run as the event's local time.
std::vector<double> runs;
void record(int32_t) { runs.push_back(currentEvent->t); }

NodeEvent makeEvent(double duration) {
  NodeEvent e;
  e.init(1, true, duration);
  e.setCallback(record, 0);
  return e;
}

class TimelineTest : public ::testing::Test {
 protected:
  // The timeline's clock starts at the frame time of its construction.
  void tickAt(uint32_t time) {
    frameTime = time;
    timeline.tick();
  }
  // Timelines start their clock at the frame time of their construction,
  // so the frame time is reset before the members are built.
  struct FreshFrame {
    FreshFrame() {
      frameTime = 0;
      runs.clear();
    }
  } freshFrame;
  NodeTimeline timeline;
};

TEST_F(TimelineTest, PermanentEventNeverFinishes) {
  timeline.addEvent(makeEvent(0));
  for (uint32_t t = 1000; t <= 100000; t += 1000) tickAt(t);
  EXPECT_EQ(runs.size(), 100u);
  ASSERT_EQ(timeline.events.size(), 1u);
  EXPECT_FALSE(timeline.events[0].finished);
}

TEST_F(TimelineTest, OneShotRunsOnceAndIsGoneOneTickLater) {
  timeline.addEvent(makeEvent(-1.0));
  tickAt(16);
  EXPECT_EQ(runs, std::vector<double>({16}));
  EXPECT_EQ(timeline.events.size(), 1u);
  tickAt(32);
  EXPECT_EQ(runs.size(), 1u);
  EXPECT_TRUE(timeline.events.empty());
}

TEST_F(TimelineTest, TimedEventRunsUntilItsDurationIsReached) {
  // The tick that reaches the duration exactly is the last one to run,
  // whether the duration is reached exactly or passed.
  for (uint32_t last : {1000u, 1200u}) {
    runs.clear();
    frameTime = 0;
    NodeTimeline timed;
    timed.addEvent(makeEvent(1000));
    for (uint32_t t : {400u, 800u, last}) {
      frameTime = t;
      timed.tick();
    }
    EXPECT_EQ(runs, std::vector<double>({400, 800, static_cast<double>(last)}));
    EXPECT_EQ(timed.events.size(), 1u);
    frameTime = last + 400;
    timed.tick();
    EXPECT_EQ(runs.size(), 3u) << "last tick at " << last;
    EXPECT_TRUE(timed.events.empty());
  }
}

TEST_F(TimelineTest, ZeroStepStillRunsWithUnchangedTime) {
  timeline.addEvent(makeEvent(0));
  tickAt(50);
  tickAt(50);
  EXPECT_EQ(runs, std::vector<double>({50, 50}));
}

TEST_F(TimelineTest, EventAfterARemovedOneRunsInTheSameTick) {
  timeline.addEvent(makeEvent(-1.0));
  timeline.addEvent(makeEvent(0));
  tickAt(10);
  runs.clear();
  tickAt(20);  // the one-shot is removed, the permanent one must still run
  EXPECT_EQ(runs, std::vector<double>({20}));
  EXPECT_EQ(timeline.events.size(), 1u);
}

TEST_F(TimelineTest, StepAcrossTheTickCountWrapIsSmall) {
  frameTime = 0xFFFFFFF0u;
  NodeTimeline wrapping;  // its clock starts at the frame time of its construction
  wrapping.addEvent(makeEvent(0));
  frameTime = 0x00000010u;
  wrapping.tick();
  EXPECT_EQ(runs, std::vector<double>({32}));
}

TEST_F(TimelineTest, DeltaIsRebuiltEveryTick) {
  timeline.delta.translateBy(5, 0, 0);
  tickAt(10);
  EXPECT_EQ(timeline.delta.x, 0);
}

TEST_F(TimelineTest, PausedEventKeepsItsTimes) {
  timeline.addEvent(makeEvent(0));
  tickAt(100);
  timeline.applyOperation(1, PauseEvent);
  tickAt(500);
  EXPECT_EQ(timeline.events[0].t, 100);
  EXPECT_EQ(timeline.events[0].elapsed, 100);
  timeline.applyOperation(1, ResumeEvent);
  tickAt(600);
  EXPECT_EQ(timeline.events[0].t, 200);
  timeline.applyOperation(1, StopEvent);
  tickAt(700);
  EXPECT_TRUE(timeline.events.empty());
}

}  // namespace
