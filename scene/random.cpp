#include "scene/random.h"

#include <cstdlib>

namespace {
RandomSource randomSource = nullptr;
}

int randomNumber() { return randomSource != nullptr ? randomSource() : std::rand(); }

int randomBelow(int n) {
  // A modulo by zero would trap; no caller asks for it, but a list that
  // ends up empty must not bring the saver down.
  if (n <= 0) return 0;
  return randomNumber() % n;
}

void setRandomSource(RandomSource source) { randomSource = source; }
