#pragma once
#include <SDL/SDL.h>

#include <cstdint>

class HostWindowWatch;
class SaverRun;

// Whether one input event ends the run: Escape always; mouse motion only
// when enabled and more than 3000 ms after SDL started. Everything else is
// ignored, the window manager's close request included.
bool eventRequestsQuit(const SDL_Event& event, uint32_t ticksSinceStart, bool exitOnMouseMove);

// Draws and presents the frames of `run` until a quit was requested (by
// input or a stop signal) and the run has closed. Start-up ends with the
// first frame, which builds the scene's content (see finishStartup). With
// a host window, follows its size before every frame and leaves at once,
// the scene still open, when the window is gone.
void runMainLoop(SaverRun& run, HostWindowWatch* host);
