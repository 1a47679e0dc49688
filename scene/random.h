#pragma once

// Every random choice of the scene comes from one sequence: the C library's
// rand(), seeded once at start-up. Tests may replace the source.
using RandomSource = int (*)();

int randomNumber();
// randomNumber() modulo n: 0 to n − 1 for positive n; 0 for n ≤ 0.
int randomBelow(int n);
// nullptr restores rand().
void setRandomSource(RandomSource source);

// Seeds rand() and remembers the seed, from which content that must not
// disturb the scene's one sequence (falling snow) derives a stream of its
// own.
void seedRandom(unsigned seed);
unsigned randomSeed();
