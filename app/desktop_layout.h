#pragma once
#include "app/picture_views.h"

class DesktopWatch;
class VideoContext;

// Lays the pictures out anew for the window's real place and size and the
// monitors as they are now, when `desktop` saw either change since the
// last call (always on the first). True when it did; the overlays are then
// to be placed again.
bool followDesktop(DesktopWatch& desktop, VideoContext& video, OverlayMonitors overlays);
