#pragma once

// Fills `worldRoot` and `overlayRoot` before the first frame: the swaying
// world with background, light, train and landscape builders, and the
// overlays the settings select.
void buildScene();
