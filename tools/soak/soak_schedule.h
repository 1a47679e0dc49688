#pragma once
#include <cstdint>
#include <random>
#include <vector>

// A stall: no frame for `lengthMs` once the frames have covered `atFrameMs`
// (a suspended machine, a blocked process). Milliseconds.
struct Stall {
  uint64_t atFrameMs;
  uint64_t lengthMs;
};

// The raw clock readings of a soak run: frame steps drawn evenly from
// [minStepMs, maxStepMs] until the steps add up to `frameSpanMs`, with the
// stalls added to the raw clock in between (they do not count toward the
// span). Its own random generator, so the scene's sequence is untouched.
class SoakSchedule {
 public:
  SoakSchedule(uint64_t frameSpanMs, std::vector<Stall> stalls, unsigned seed,
               uint32_t minStepMs = 16, uint32_t maxStepMs = 50);

  bool done() const { return framed_ >= frameSpanMs_; }
  // Advances to the next frame; returns its raw time since the start.
  uint64_t next();

  uint64_t rawMs() const { return raw_; }
  // Milliseconds covered by frame steps so far (stalls excluded).
  uint64_t framedMs() const { return framed_; }
  // True when the last call of next() included a stall.
  bool stalledBeforeLastFrame() const { return stalledLast_; }
  int stallsTaken() const { return static_cast<int>(nextStall_); }

 private:
  uint64_t frameSpanMs_;
  std::vector<Stall> stalls_;
  size_t nextStall_ = 0;
  std::mt19937 random_;
  std::uniform_int_distribution<uint32_t> step_;
  uint64_t raw_ = 0;
  uint64_t framed_ = 0;
  bool stalledLast_ = false;
};

// The stalls of a standard run over `frameSpanMs`: 10 s at a fifth of the
// way, one hour at 45 % and eight hours at 70 %.
std::vector<Stall> standardStalls(uint64_t frameSpanMs);
