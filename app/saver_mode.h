#pragma once

// The full-screen run: settings, video, scene, frame loop, teardown.
int runSaverMode();
