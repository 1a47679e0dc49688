#pragma once
#include <SDL/SDL.h>

#include <cstdint>

// Whether one input event ends the run: Escape always; mouse motion only
// when enabled and more than 3000 ms after SDL started; the window-close
// request (which SDL also raises for SIGTERM and SIGINT) always. Everything
// else is ignored.
bool eventRequestsQuit(const SDL_Event& event, uint32_t ticksSinceStart, bool exitOnMouseMove);

// Draws frames until a quit was requested and both roots have closed.
void runMainLoop();
