#pragma once
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <ostream>
#include <string>
#include <vector>

// A band of acceptable counts, inclusive.
struct CountBand {
  size_t low;
  size_t high;
  bool holds(size_t value) const { return value >= low && value <= high; }
};

struct SoakOptions {
  double hours = 0.5;  // simulated time covered by frames, stalls not counted
  int width = 32;
  int height = 24;
  unsigned seed = 1;
  std::string settingsFile;  // empty: the saver's defaults
  std::time_t localStart = 0;  // local time at the start of the run
  CountBand particles = {140, 185};
  CountBand pieces = {2, 3};
  CountBand nodes = {350, 650};
  // Counting only starts once the smoke and the ground have built up.
  uint64_t warmUpMs = 60 * 1000;
  // Anonymous resident memory may not grow by more than this after the
  // reference point (one hour, or a third of a shorter run).
  long memoryAllowanceKb = 2048;
  // Runs of a few minutes say nothing about growth; they may turn it off.
  bool checkMemory = true;
  uint64_t progressEveryMs = 3600 * 1000;  // a progress line this often
};

// Observed extremes and counts of a run.
struct SoakFigures {
  uint64_t frames = 0;
  uint64_t framedMs = 0;
  uint64_t rawMs = 0;
  size_t nodesMin = SIZE_MAX, nodesMax = 0;
  size_t particlesMin = SIZE_MAX, particlesMax = 0;
  size_t piecesMin = SIZE_MAX, piecesMax = 0;
  long memoryAtReferenceKb = 0;
  uint64_t memoryReferenceMs = 0;
  long memoryMaxAfterKb = 0;
  long memoryAtEndKb = 0;
  int stalls = 0;
  int midnights = 0;       // day changes seen between two frames
  int closeFrames = 0;     // frames the Escape close took
  size_t problemCount = 0;
  std::vector<std::string> problems;  // the first few, with their times
};

// Runs the saver's scene offscreen under `options` and checks it all the
// way through; false when any check failed (see figures.problems).
bool runSoak(const SoakOptions& options, SoakFigures& figures, std::ostream& progress);

// The figures as a short report.
void printFigures(const SoakFigures& figures, std::ostream& out);
