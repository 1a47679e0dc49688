#pragma once

// Fills `worldRoot` and `overlayRoot` of the run under way before its first
// frame: the swaying world with background, light, train and landscape
// builders, and the overlays its settings select, placed for its video.
void buildScene();

// The landscape's children in the order buildScene hangs them (with neither
// falling snow nor the time of day on); the terrain pieces are appended
// after them as they are made.
enum LandscapeChild : unsigned { kBackgroundChild, kLightChild, kTrainChild, kFirstTerrainPieceChild };

// Where the overlays sit for the run's video: each is pinned to a corner
// of the view at its own eye depth (the frame translates both roots by
// (0, 0, -100) first).
struct OverlayPlacement {
  double x, y, z;
};
OverlayPlacement calendarPlacement();
OverlayPlacement clockPlacement(bool large);
OverlayPlacement frameRatePlacement();

// Moves the overlays built by buildScene to their places for the run's
// video, after the view changed size. Does nothing once the overlay root
// is closing.
void placeOverlays();
