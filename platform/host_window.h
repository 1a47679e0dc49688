#pragma once
#include <string>

// A window that a screen-saver host hands us to draw into, instead of a
// full-screen one of our own: XSCREENSAVER_WINDOW in the environment, or
// "-window-id N" / "--window-id N" on the command line (hex "0x…" or
// decimal). The command line wins when both are given.

enum class HostWindowRequest {
  NotAsked,  // no host window was asked for
  Given,     // a window id was given
  Unusable,  // one was asked for, but the value is missing or no window id
};

// Finds the host window asked for. For Unusable, `problem` says why in a
// few words ("--window-id needs a window id", ...).
HostWindowRequest findHostWindow(const std::string& commandLine, unsigned long& window,
                                 std::string& problem);

// Parses a window id, "0x…" hex or decimal (a leading zero is decimal too);
// false for anything else or 0.
bool parseWindowId(const std::string& text, unsigned long& window);

// The window's current size on $DISPLAY. False, with `problem` set to what
// follows the window in a message ("does not exist on this display"), when
// the display cannot be opened or the window does not exist there.
bool hostWindowSize(unsigned long window, int& width, int& height, std::string& problem);

// Follows the host window over a display connection of its own, so the
// saver can match the picture to the window's size in every frame and
// notice at once when the host destroys the window.
class HostWindowWatch {
 public:
  // Starts following `window`. False when it cannot be followed.
  bool open(unsigned long window);
  ~HostWindowWatch();

  // Takes in what happened to the window since the last call: its size
  // now, and false once it has been destroyed (or drawing into it failed).
  bool poll(int& width, int& height);

 private:
  void* display_ = nullptr;
  unsigned long window_ = 0;
};

// Drawing into a host window races the host: it may destroy the window
// at any moment, and the next request about it (SDL's look at the window
// while it sets up, a buffer swap) fails with an X error whose default
// handling prints a dump and ends the process with status 1. After this
// call such errors (BadDrawable, BadWindow and GLX's errors for a missing
// drawable) end the process quietly with status 0 while start-up lasts
// (see finishStartup), and afterwards only mark the window as lost, which
// HostWindowWatch::poll reports; every other X error is handled as before.
// Call it before SDL starts: SDL's own handler passes such errors on to it.
void tolerateLostHostWindow(unsigned long window);

// Whether the host window given to tolerateLostHostWindow is gone, or goes
// within a second: its loss was seen, or the X server no longer knows it.
// Libraries that check their own requests (SDL 2 making its GL context
// current) report the loss only as their own failure, sometimes while the
// server is still taking the window down. False at once when no host
// window was given.
bool hostWindowLost();
