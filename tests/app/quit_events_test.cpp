// Which input ends the full-screen run (eventRequestsQuit): only Escape,
// and mouse motion when the flag is on and the first 3000 ms are over.
#include <gtest/gtest.h>

#include <vector>

#include "app/main_loop.h"

namespace {

SDL_Event eventOf(Uint8 type, SDLKey key = SDLK_UNKNOWN) {
  SDL_Event event = {};
  event.type = type;
  if (type == SDL_KEYDOWN || type == SDL_KEYUP) event.key.keysym.sym = key;
  return event;
}

TEST(QuitEvents, OnlyEscapeAndMotionAfterItsGraceEndTheRun) {
  struct Case {
    const char* name;
    SDL_Event event;
    uint32_t ticks;
    bool exitOnMouseMove;
    bool quits;
  };
  const std::vector<Case> cases = {
      {"Escape", eventOf(SDL_KEYDOWN, SDLK_ESCAPE), 0, false, true},
      {"another key", eventOf(SDL_KEYDOWN, SDLK_a), 5000, true, false},
      {"Escape let go", eventOf(SDL_KEYUP, SDLK_ESCAPE), 5000, true, false},
      {"a button", eventOf(SDL_MOUSEBUTTONDOWN), 5000, true, false},
      {"motion at 2999 ms", eventOf(SDL_MOUSEMOTION), 2999, true, false},
      {"motion at 3000 ms", eventOf(SDL_MOUSEMOTION), 3000, true, false},
      {"motion at 3001 ms", eventOf(SDL_MOUSEMOTION), 3001, true, true},
      {"motion without the flag", eventOf(SDL_MOUSEMOTION), 5000, false, false},
      // A window manager's close button does not end a screen saver.
      {"the close request", eventOf(SDL_QUIT), 5000, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(eventRequestsQuit(c.event, c.ticks, c.exitOnMouseMove), c.quits) << c.name;
  }
}

}  // namespace
