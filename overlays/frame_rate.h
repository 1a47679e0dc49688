#pragma once
#include <cstdint>
#include <vector>

class SceneNode;

// Frames drawn since the last display of the counter.
int32_t framesCounted();

// Starts the count from nothing, as at a fresh start.
void resetFrameRateCounter();

// The counter shows the average frame rate of a 5-second window.
constexpr double kFrameRateWindowMs = 5000.0;

// One digit of the display: its "utils.pak" entry and its x beside the
// label.
struct FrameRateDigit {
  char entry;
  double x;
};

// Digits for `frames` counted in one window: ones always, tens from 50
// frames (10 per second), hundreds from 500; never a thousands digit.
std::vector<FrameRateDigit> frameRateDigits(int32_t frames);

// The counter node at (x, y, 0) with its label and its counting event. The
// caller appends it to the overlay root.
SceneNode* createFrameRateNode(double x, double y);

// Permanent event callback on the counter node: counts the frame, and once
// per window shows the count as short-lived digit nodes and starts again.
void frameRateTick(int32_t);
