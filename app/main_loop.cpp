#include "app/main_loop.h"

#include "app/app_state.h"
#include "app/frame.h"
#include "app/frame_clock.h"
#include "app/settings.h"
#include "scene/scene_node.h"

namespace {

// Motion this early is the pointer settling after the host started us.
constexpr uint32_t kMouseGraceMs = 3000;

void requestQuit(bool& quitRequested) {
  quitRequested = true;
  worldRoot->closeRequested = true;
  overlayRoot->closeRequested = true;
}

}  // namespace

bool eventRequestsQuit(const SDL_Event& event, uint32_t ticksSinceStart, bool exitOnMouseMove) {
  switch (event.type) {
    case SDL_KEYDOWN: return event.key.keysym.sym == SDLK_ESCAPE;
    case SDL_MOUSEMOTION: return exitOnMouseMove && ticksSinceStart > kMouseGraceMs;
    // Linux hosts stop a saver with SIGTERM, which SDL turns into this.
    case SDL_QUIT: return true;
    default: return false;
  }
}

void runMainLoop() {
  FrameClock clock;
  bool quitRequested = false;
  for (;;) {
    if (quitRequested && worldRoot->closed && overlayRoot->closed) break;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (eventRequestsQuit(event, SDL_GetTicks(), settings->exitOnMouseMove())) {
        requestQuit(quitRequested);
      }
    }
    drawFrame(clock);
  }
}
