#include "app/desktop_layout.h"

#include "app/video_context.h"
#include "platform/desktop_watch.h"

bool followDesktop(DesktopWatch& desktop, VideoContext& video, OverlayMonitors overlays) {
  DesktopLayout layout;
  if (!desktop.poll(layout)) return false;
  video.layOut(layout.window.width, layout.window.height,
               viewsForMonitors(chooseMonitors(layout.monitors), layout.window, overlays));
  return true;
}
