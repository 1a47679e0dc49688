#pragma once
#include <cstdint>

// Turns the raw millisecond tick count into the frame time that timelines
// read. It advances by the real time between frames, except that a step
// backwards (the wall clock was set back) counts as 0 and a step longer than
// kMaxStepMs (a suspend, a stall) counts as kMaxStepMs: the scene resumes
// where it left off instead of catching up hours at once.
class FrameClock {
 public:
  static constexpr uint32_t kMaxStepMs = 1000;

  // The frame time for a new raw reading.
  uint32_t advance(uint32_t rawTicks);
  uint32_t frameTime() const { return frameTime_; }

 private:
  uint32_t lastRaw_ = 0;
  uint32_t frameTime_ = 0;
};
