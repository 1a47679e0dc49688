#include "overlays/frame_rate.h"

#include <string>

#include "scene/draw_hooks.h"
#include "scene/event_recipes.h"
#include "scene/frame_globals.h"
#include "scene/scene_node.h"

namespace {

// Only the counter's tick and its reset change the count.
int32_t framesInWindow = 0;

char digitOf(int32_t value) {
  int32_t digit = value % 10;
  if (digit < 0) digit = -digit;
  return static_cast<char>('0' + digit);
}

// A digit that shows for one window, then closes itself.
SceneNode* makeDigit(const FrameRateDigit& digit) {
  SceneNode* node = new SceneNode();
  node->transform.setPosition(digit.x, 0, 0);
  node->addHook(noDepthHook, 0);
  node->loadModel("utils.pak", std::string(1, digit.entry));
  startEvents(node, {closeAfter(kFrameRateWindowMs)});
  return node;
}

}  // namespace

int32_t framesCounted() { return framesInWindow; }

void resetFrameRateCounter() { framesInWindow = 0; }

std::vector<FrameRateDigit> frameRateDigits(int32_t frames) {
  // The window is 5 s: frames / 5 is the rate, frames / 50 its tens.
  std::vector<FrameRateDigit> digits{{digitOf(frames / 5), 3.3}};
  if (frames >= 50) digits.push_back({digitOf(frames / 50), 1.9});
  if (frames >= 500) digits.push_back({digitOf(frames / 500), 0.5});
  return digits;
}

SceneNode* createFrameRateNode(double x, double y) {
  SceneNode* counter = new SceneNode();
  counter->transform.setPosition(x, y, 0);
  counter->loadModel("utils.pak", "fps");
  startEvents(counter, {callbackEvent(frameRateTick, 0.0)});
  return counter;
}

void frameRateTick(int32_t) {
  ++framesInWindow;
  if (!(currentEvent->t > 0)) return;
  currentEvent->t -= kFrameRateWindowMs;
  for (const FrameRateDigit& digit : frameRateDigits(framesInWindow)) {
    currentNode->addChild(makeDigit(digit));
  }
  framesInWindow = 0;
}
