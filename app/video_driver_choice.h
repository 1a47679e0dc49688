#pragma once
#include <string>

// What decides how a run reaches the screen, known before SDL starts.
struct VideoSurroundings {
  bool userChoseDriver = false;  // SDL_VIDEODRIVER is set
  bool hostWindow = false;       // drawing into a host's X window (an X id)
  bool waylandSession = false;   // WAYLAND_DISPLAY names a compositor
  bool sdlOnSdl2 = false;        // the SDL 1.2 loaded is the one built on SDL 2
  bool xwayland = false;         // the X server is a Wayland compositor's Xwayland
  // SDL's Wayland video started in a trial child (tried only where
  // nativeWaylandWanted says so).
  bool waylandVideoStarts = false;
};

// Whether the run would draw natively on Wayland, should SDL's Wayland
// video start: a Wayland desktop, the SDL built on SDL 2 (the classic one
// has no Wayland driver), no host window (an X window) and no driver the
// user chose.
bool nativeWaylandWanted(const VideoSurroundings& surroundings);

// The SDL_VIDEODRIVER value for this run, or empty to keep the user's.
// A host's window is an X window, so it needs the X11 driver. Natively
// where nativeWaylandWanted and the trial worked ("wayland,x11": SDL 2
// takes the first driver of the list that starts, so a compositor that
// went away since still leaves X11). Everywhere else X11, Xwayland on a
// Wayland desktop: without a display the classic SDL would otherwise try
// text-mode drivers that fill the terminal with escape codes before
// failing, where X11 fails cleanly.
std::string chooseVideoDriver(const VideoSurroundings& surroundings);

// How the full-screen window comes to cover the screen.
enum class FullScreenWindow {
  // SDL's own full-screen mode.
  BySdl,
  // A plain window the size of the screen that asks the window manager for
  // its full-screen state. The classic SDL moves the pointer to the
  // screen's corner whenever it enters its full-screen mode, and Xwayland
  // ends with a segmentation fault on a pointer warp when the compositor's
  // seat has no pointer, taking every X client of the desktop with it; a
  // compositor also keeps its panels above a window that never asked to
  // be full screen.
  ByWindowManager,
  // A plain window the size of the screen that no window manager manages,
  // which takes the keyboard and pointer itself, as the classic SDL's
  // full-screen window and screen-saver daemons' windows do. SDL 2's own
  // full-screen mode covers one monitor: the one a window manager fits it
  // to, or its first output, whose video mode it may even change.
  Unmanaged,
};

// The full-screen window for this run on X (a host's window is not one).
FullScreenWindow chooseFullScreenWindow(const VideoSurroundings& surroundings);

// The environment's and the loaded SDL's part of the surroundings (all but
// `xwayland`, which the X server answers, and `waylandVideoStarts`).
VideoSurroundings readVideoSurroundings(bool hostWindow);
