#pragma once
#include <cstdint>
#include <string>

#include "tools/still/offscreen_saver.h"

// The scene every benchmark measures: the saver's own scene with every
// overlay on, a fixed seed and a fixed local time, so that runs on different
// days draw the same frames.

// Simulated frame step of a 60 Hz display, in milliseconds.
constexpr uint32_t kBenchStepMs = 16;
// Simulated time of the steady-state frame: the smoke plume is full (about
// 160 particles) and two or three terrain pieces are on screen.
constexpr uint32_t kSteadyStateMs = 61000;

// Writes a settings file that turns on the clock (digital, 24-hour, large),
// the calendar and the frame-rate counter. False when it cannot be written.
bool writeAllOverlaysSettings(const std::string& path);

// Options for the benchmark scene at the given size with `settingsFile`.
// The local time starts 30 s before a minute ends, so the clock's minute
// changes at simulated time 30 s and every minute after.
OffscreenSaverOptions benchSaverOptions(int width, int height, const std::string& settingsFile);

// Draws frames `stepMs` apart after `fromMs` up to and including `toMs`;
// returns the time of the last frame drawn (or `fromMs` if none was).
uint32_t runFrames(OffscreenSaver& saver, uint32_t fromMs, uint32_t toMs, uint32_t stepMs);

// A settings file path in the system's temporary folder, unique to this
// process.
std::string temporarySettingsPath();

// What the scene holds at one moment.
struct SceneCounts {
  int nodes = 0;
  int meshes = 0;
  int smokeSprites = 0;  // billboarded nodes: only smoke faces the viewer
};

// Counts the world and overlay trees of the running saver.
SceneCounts countScene();

// The model entry and mesh record whose vertex positions start at
// `positions`, as "entry/mesh" ("parovoz/3"), searched in the archives the
// saver has open; "-" for arrays of no model entry (snowfall, overlays
// drawn from memory).
std::string meshSourceName(const void* positions);
