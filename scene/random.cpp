#include "scene/random.h"

#include <cstdlib>

namespace {
RandomSource randomSource = nullptr;
unsigned lastSeed = 1;  // rand()'s own seed until one is given
}

int randomNumber() { return randomSource != nullptr ? randomSource() : std::rand(); }

int randomBelow(int n) {
  // A modulo by zero would trap; no caller asks for it, but a list that
  // ends up empty must not bring the saver down.
  if (n <= 0) return 0;
  return randomNumber() % n;
}

void setRandomSource(RandomSource source) { randomSource = source; }

void seedRandom(unsigned seed) {
  lastSeed = seed;
  std::srand(seed);
}

unsigned randomSeed() { return lastSeed; }
