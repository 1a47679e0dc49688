#pragma once
#include <cstddef>
#include <vector>

// How thickly snow falls through the picture, if at all.
enum class Snowfall { None, Light, Steady, Heavy };

// Flakes of one density.
size_t flakeCount(Snowfall snowfall);

// The flakes fill space as a lattice of cubes this many units wide, each
// holding every flake once: a flake that leaves a cube enters the next.
// Only the cube around the place the eye looks at is drawn (the eye is
// about 45 units from the train, and the world's sway carries it round),
// so all the flakes fall where they can be seen.
constexpr double kSnowCube = 72.0;

// One flake at one moment: its centre, its half-size in scene units and
// how much of it shows (it fades in and out near the cube's faces, so
// nothing pops in or out of sight as the cube moves with the eye).
struct FlakeSpot {
  float x, y, z;
  float halfSize;
  float presence;  // 0..1
};

// The falling snow as a pure function of time: each flake has a start
// point, a speed (the train's 10 units per second through still air, a
// light wind across and its fall) and a flutter, all drawn once from the
// seed. The same seed and time give the same flakes.
class SnowField {
 public:
  SnowField() = default;  // no flakes
  SnowField(Snowfall snowfall, unsigned seed);

  size_t size() const { return flakes_.size(); }

  // Fills `out` with every flake `timeMs` milliseconds after the snow
  // began, each in the cube centred on (cx, cy, cz), in the landscape's
  // frame (X along the track, Y across, Z up).
  void flakesAt(double timeMs, double cx, double cy, double cz, std::vector<FlakeSpot>& out) const;

 private:
  struct Flake {
    float x0, y0, z0;
    float vx, vy, vz;  // units per second
    float flutter, flutterRate, flutterPhase;
    float halfSize;
  };
  std::vector<Flake> flakes_;
};
