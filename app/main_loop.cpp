#include "app/main_loop.h"

#include "app/desktop_layout.h"
#include "app/frame_clock.h"
#include "app/saver_run.h"
#include "app/scene_assembly.h"
#include "app/video_context.h"
#include "platform/host_window.h"
#include "platform/stop_signals.h"
#include "resources/image_prefetch.h"
#include "scene/scene_node.h"

namespace {

// Motion this early is the pointer settling after the host started us.
constexpr uint32_t kMouseGraceMs = 3000;

void requestQuit(SaverRun& run, bool& quitRequested) {
  quitRequested = true;
  run.close();
}

// Matches the picture to the host window's size, which its host may change
// at any time. False once the window is gone.
bool followHostWindow(HostWindowWatch& host, VideoContext& video) {
  int width = video.width();
  int height = video.height();
  if (!host.poll(width, height)) return false;
  if (width != video.width() || height != video.height()) {
    video.resize(width, height);
    placeOverlays();
  }
  return true;
}

}  // namespace

bool eventRequestsQuit(const SDL_Event& event, uint32_t ticksSinceStart, bool exitOnMouseMove) {
  switch (event.type) {
    case SDL_KEYDOWN: return event.key.keysym.sym == SDLK_ESCAPE;
    case SDL_MOUSEMOTION: return exitOnMouseMove && ticksSinceStart > kMouseGraceMs;
    // Everything else, the window manager's close request (SDL_QUIT) too:
    // a screen saver ends on the user's Escape or motion, or on a stop
    // signal, which has handlers of its own.
    default: return false;
  }
}

void runMainLoop(SaverRun& run, HostWindowWatch* host, DesktopWatch* desktop) {
  FrameClock clock;
  bool quitRequested = false;
  bool firstFrame = true;
  for (;;) {
    if (quitRequested && run.closed()) break;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (eventRequestsQuit(event, SDL_GetTicks(), run.settings().exitOnMouseMove())) {
        requestQuit(run, quitRequested);
      }
    }
    if (stopSignalled() && !quitRequested) requestQuit(run, quitRequested);
    // With its window gone there is nothing left to draw into: the scene is
    // torn down at once instead of closing over further frames.
    if (host != nullptr && !followHostWindow(*host, run.video())) break;
    if (desktop != nullptr && followDesktop(*desktop, run.video(), run.extras().overlayMonitors)) {
      placeOverlays();
    }
    run.frame(clock.advance(SDL_GetTicks()));
    SDL_GL_SwapBuffers();
    if (firstFrame) run.video().firstFrameShown();
    firstFrame = false;
    // The first frame builds the scene's content (models, textures); until
    // it is done a stop signal ends the process at once. Pictures decoded
    // ahead that it did not use are freed; a later need decodes its own.
    finishStartup();
    endImagePrefetch();
  }
}
