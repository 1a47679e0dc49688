#pragma once

class Settings;
class VideoContext;
class SceneNode;

// The saver's process-wide state, created in start-up order and destroyed
// in teardown order by the saver mode.
extern Settings* settings;
extern VideoContext* video;
extern SceneNode* worldRoot;
extern SceneNode* overlayRoot;

// Teardown after the last frame, in order: settings, the world, the
// overlays, then the video (which shuts SDL down, when it started it).
void tearDownAppState();
