#include "tools/soak/soak_schedule.h"

#include <algorithm>

SoakSchedule::SoakSchedule(uint64_t frameSpanMs, std::vector<Stall> stalls, unsigned seed,
                           uint32_t minStepMs, uint32_t maxStepMs)
    : frameSpanMs_(frameSpanMs),
      stalls_(std::move(stalls)),
      random_(seed),
      step_(minStepMs, std::max(minStepMs, maxStepMs)) {
  std::sort(stalls_.begin(), stalls_.end(),
            [](const Stall& a, const Stall& b) { return a.atFrameMs < b.atFrameMs; });
}

uint64_t SoakSchedule::next() {
  stalledLast_ = false;
  while (nextStall_ < stalls_.size() && stalls_[nextStall_].atFrameMs <= framed_) {
    raw_ += stalls_[nextStall_].lengthMs;
    ++nextStall_;
    stalledLast_ = true;
  }
  uint32_t step = step_(random_);
  raw_ += step;
  framed_ += step;
  return raw_;
}

std::vector<Stall> standardStalls(uint64_t frameSpanMs) {
  constexpr uint64_t kSecond = 1000, kHour = 3600 * kSecond;
  return {{frameSpanMs / 5, 10 * kSecond},
          {frameSpanMs * 45 / 100, kHour},
          {frameSpanMs * 70 / 100, 8 * kHour}};
}
