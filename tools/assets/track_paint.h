#pragma once
#include <cstdint>
#include <vector>

// Where things lie on the track bed, in scene units across (y) and along
// (x) the track, for painting its texture.
struct TrackBedLayout {
  double pitch;             // sleeper spacing; one tile holds two sleepers
  double sleeperHalfWidth;  // along the track
  double sleeperHalfLength; // across it
  double railY;             // rail centre lines at +-railY
  double shoulderY;         // the bed's flat top ends here, then slopes
  double halfWidth;         // to its foot in the snow
};

// The ballast bed, one tile: two sleeper pitches along x (sleepers centred
// a quarter and three quarters along), the bed's whole width across.
// Dark stones, snow drifted into the cribs between the sleepers and up the
// shoulders, swept thin along the rails.
std::vector<uint8_t> paintTrackBed(const TrackBedLayout& layout);
