#pragma once
#include <vector>

#include "landscape/planting_spots.h"

// The ground of the two terrain pieces as height functions, in a piece's
// frame (X along the track, Y across, Z up). Both share one cross profile
// at their two ends (x = -155 and x = 45), so pieces join in any order and
// without a step; in between, each bends through every planting spot of its
// table, so plants stand on the snow. The spots on the ends stand on the
// profile itself. Where two spots of different kinds share one point of the
// joint at different heights, the profile carries the higher one and the
// plant on the lower stands a little deep in the snow, which reads
// naturally; a plant on a spot above the ground would float.

// The spots of the first ("relef1") or second ("relef2") terrain kind (1 or
// 2; anything else has none): the saver's own planting tables, so ground and
// plants cannot drift apart.
const std::vector<PlantingSpot>& plantingSpots(int kind);

// Height of the shared end profile at y: a low embankment carrying the
// track near y = 0, a hill rising towards -Y, a valley falling towards +Y.
double crossProfile(double y);

// Height of the track bed's top (ballast) at y, and its half width.
double ballastHeight(double y);
constexpr double kBallastHalfWidth = 4.8;
constexpr double kBallastShoulder = 3.2;  // the flat top ends here

class TerrainHeight {
 public:
  // kind 1 or 2; any other value gives the bare cross profile.
  explicit TerrainHeight(int kind);
  // The ground at (x, y): at the ends exactly the shared profile.
  double operator()(double x, double y) const;

 private:
  std::vector<PlantingSpot> spots_;  // those inside the piece, each with a bump
  std::vector<double> weights_;
  double bump(double x, double y) const;
};

// Fades from 0 at the piece's ends to 1 in its middle (and past the ends
// changes sign, so the function stays smooth outside the mesh too).
double alongTaper(double x);
// 0 over the track bed, 1 on the slopes, 0 again at the piece's sides.
double acrossTaper(double y);
