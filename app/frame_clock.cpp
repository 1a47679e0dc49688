#include "app/frame_clock.h"

uint32_t FrameClock::advance(uint32_t rawTicks) {
  uint32_t step = rawTicks - lastRaw_;
  // A difference above half the range is a reading that went backwards.
  if (step > 0x80000000u) {
    step = 0;
  } else if (step > kMaxStepMs) {
    step = kMaxStepMs;
  }
  lastRaw_ = rawTicks;
  frameTime_ += step;
  return frameTime_;
}
