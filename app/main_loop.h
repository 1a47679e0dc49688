#pragma once
#include <SDL/SDL.h>

#include <cstdint>

class DesktopWatch;
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
// the scene still open, when the window is gone. With a desktop watch,
// lays the pictures out anew whenever the screen, its monitors or the
// window's place change.
void runMainLoop(SaverRun& run, HostWindowWatch* host, DesktopWatch* desktop);
