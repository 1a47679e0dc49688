#include <gtest/gtest.h>

#include "scene/cue_set.h"
#include "scene/frame_globals.h"
#include "scene/node_timeline.h"

namespace {

int calls = 0;
void count(int32_t) { ++calls; }

NodeEvent permanent(int32_t id) {
  NodeEvent e;
  e.init(id, true, 0);
  e.setCallback(count, 0);
  return e;
}

class CueSetTest : public ::testing::Test {
 protected:
  // Timelines start their clock at the frame time of their construction,
  // so the frame time is reset before the members are built.
  struct FreshFrame {
    FreshFrame() {
      frameTime = 0;
      calls = 0;
    }
  } freshFrame;
  NodeTimeline timeline;
  CueSet cues{&timeline};
};

TEST_F(CueSetTest, FiringTwiceAddsTwoIndependentCopies) {
  EXPECT_EQ(cues.newCue(), 0);
  cues.addEvent(permanent(1));
  cues.fire(0);
  frameTime = 100;
  timeline.tick();
  cues.fire(0);
  ASSERT_EQ(timeline.events.size(), 2u);
  EXPECT_EQ(timeline.events[0].t, 100);
  EXPECT_EQ(timeline.events[1].t, 0);
  EXPECT_EQ(timeline.events[1].target, &timeline.delta);
}

TEST_F(CueSetTest, PauseOperationReachesEventsTheSameCueAdded) {
  cues.newCue();
  cues.addEvent(permanent(1));
  cues.addEvent(permanent(2));
  cues.addEventOp(1, PauseEvent);
  cues.fire(0);
  frameTime = 10;
  timeline.tick();
  EXPECT_EQ(calls, 1);  // only id 2 ran
  EXPECT_FALSE(timeline.events[0].active);
}

TEST_F(CueSetTest, ResumeStopAndUnknownOperations) {
  cues.newCue();
  cues.addEvent(permanent(1));
  cues.fire(0);
  timeline.applyOperation(1, PauseEvent);
  cues.newCue();
  cues.addEventOp(1, ResumeEvent);
  cues.addEventOp(1, 7);  // not an operation: nothing happens
  cues.fire(1);
  EXPECT_TRUE(timeline.events[0].active);
  cues.newCue();
  cues.addEventOp(1, StopEvent);
  cues.fire(2);
  EXPECT_TRUE(timeline.events[0].finished);
}

TEST_F(CueSetTest, ChainsFireCuesOfOtherNodes) {
  NodeTimeline otherTimeline;
  CueSet other{&otherTimeline};
  other.newCue();
  other.addEvent(permanent(5));
  cues.newCue();
  cues.addChain(&other, 0);
  cues.fire(0);
  EXPECT_TRUE(timeline.events.empty());
  ASSERT_EQ(otherTimeline.events.size(), 1u);
  EXPECT_EQ(otherTimeline.events[0].id, 5);
}

TEST_F(CueSetTest, ACueChainedToItselfStops) {
  cues.newCue();
  cues.addEvent(permanent(1));
  cues.addChain(&cues, 0);
  cues.fire(0);  // must return instead of recursing without end
  EXPECT_GT(timeline.events.size(), 1u);
  EXPECT_LE(timeline.events.size(), 100u);
}

TEST_F(CueSetTest, SelectOnlyEnabledCuesAndIgnoreBadIndexes) {
  cues.newCue();
  cues.newCue();
  EXPECT_EQ(cues.selectCue(0), 1);
  EXPECT_EQ(cues.current, 0);
  cues.enabled[1] = 0;
  EXPECT_EQ(cues.selectCue(1), 0);
  EXPECT_EQ(cues.selectCue(9), 0);
  cues.fire(9);
  cues.fire(-1);
  EXPECT_TRUE(timeline.events.empty());
}

}  // namespace
