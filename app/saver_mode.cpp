#include "app/saver_mode.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/desktop_layout.h"
#include "app/main_loop.h"
#include "app/saver_run.h"
#include "app/sdl_x11_windows.h"
#include "app/settings_files.h"
#include "app/video_context.h"
#include "app/video_driver_choice.h"
#include "app/wayland_video_probe.h"
#include "platform/desktop_watch.h"
#include "platform/heap_policy.h"
#include "platform/host_window.h"
#include "platform/monitors.h"
#include "platform/session_bus.h"
#include "platform/stop_signals.h"
#include "resources/image_prefetch.h"

namespace {

bool drawsNatively(const VideoSurroundings& surroundings) {
  return chooseVideoDriver(surroundings).compare(0, 7, "wayland") == 0;
}

// A driver the user chose is respected; chooseVideoDriver says the rest.
// Natively, SDL 2 would otherwise hold the compositor's idle inhibitor for
// as long as the window is shown: the idle daemon that started the saver
// would then never hear of the input that should end it.
void chooseVideo(const VideoSurroundings& surroundings) {
  std::string driver = chooseVideoDriver(surroundings);
  if (!driver.empty()) setenv("SDL_VIDEODRIVER", driver.c_str(), 1);
  if (drawsNatively(surroundings)) setenv("SDL_VIDEO_ALLOW_SCREENSAVER", "1", 0);
}

// The X server's monitors for a full-screen run on X11; a window of a
// Wayland compositor's own covers the output it is shown on, whatever
// Xwayland reports.
MonitorReports monitorsFor(const VideoSurroundings& surroundings) {
  if (surroundings.hostWindow) return {};
  if (drawsNatively(surroundings)) return {};
  return queryMonitors();
}

// The SDL 1.2 interface built on SDL 2 (what most distributions now ship as
// libSDL-1.2) behaves as the classic library does only with some of SDL 2's
// hints, which the classic library ignores; a user's own setting is kept.
// - A foreign window is made usable for OpenGL only on request.
// - The GL picture is otherwise drawn into a buffer of the size first asked
//   for and scaled to the window: a host window that grows would show a
//   blurred, stale-sized picture, and the copy costs a full-window pass.
// - A full-screen window takes the keyboard only on request, and one as
//   large as the whole X screen (several monitors) is centred on the first
//   monitor unless placed at the screen's corner.
void askForClassicBehaviour(bool hostWindow) {
  setenv("SDL12COMPAT_OPENGL_SCALING", "0", 0);
  if (hostWindow) {
    setenv("SDL_VIDEO_FOREIGN_WINDOW_OPENGL", "1", 0);
  } else {
    setenv("SDL_GRAB_KEYBOARD", "1", 0);
    setenv("SDL_VIDEO_WINDOW_POS", "0,0", 0);
  }
}

struct HostWindow {
  unsigned long window = 0;
  int width = 0;
  int height = 0;
};

// The host window asked for, measured. A window that was asked for and
// cannot be used is an error: falling back to a full-screen saver would
// take the keyboard and pointer of a user who never asked for one.
bool findUsableHostWindow(const std::string& commandLine, std::unique_ptr<HostWindow>& host) {
  unsigned long window = 0;
  std::string problem;
  HostWindowRequest request = findHostWindow(commandLine, window, problem);
  if (request == HostWindowRequest::NotAsked) return true;
  if (request == HostWindowRequest::Given) {
    host.reset(new HostWindow{window, 0, 0});
    if (hostWindowSize(window, host->width, host->height, problem)) return true;
    char id[32];
    std::snprintf(id, sizeof id, "0x%lx", window);
    problem = std::string("the host window ") + id + " " + problem;
  }
  std::fprintf(stderr, "halvenrode: cannot draw into a host window: %s\n", problem.c_str());
  return false;
}

// SDL 1.2 draws into an existing window named by SDL_WINDOWID before
// SDL_Init. Its size then comes from the window itself, since SDL reports
// whatever size was asked for. The host may take the window back at any
// moment, SDL's set-up included.
VideoContext* openVideo(const HostWindow* host, const MonitorReports& monitors,
                        const Settings& settings, FullScreenWindow window) {
  if (host == nullptr) {
    return new VideoContext(settings.displayWidth(), settings.displayHeight(),
                            settings.displayBitsPerPixel(), monitors.screen, window);
  }
  setenv("SDL_WINDOWID", std::to_string(host->window).c_str(), 1);
  tolerateLostHostWindow(host->window);
  return new VideoContext(host->width, host->height, 32);
}

// A full-screen window on X follows the screen and its monitors: each
// monitor shows the whole scene, as a host that gives each monitor a
// window of its own would. SDL 2 takes the keyboard only for a window with
// the focus, which no window manager gives a window it does not manage.
bool watchDesktop(DesktopWatch& desktop, const VideoContext& video) {
  FullScreenWindows windows;
  return sdlX11Windows(windows) &&
         desktop.open(windows, video.fullScreenWindow() == FullScreenWindow::Unmanaged);
}

}  // namespace

int runSaverMode(const std::string& commandLine, const SettingOverrides& overrides) {
  returnLargeBlocksToSystem();
  installStopSignals();
  SaverRun run(readRunSettingsFrom(runSettingsFiles(), overrides));

  std::unique_ptr<HostWindow> host;
  if (!findUsableHostWindow(commandLine, host)) return 1;
  keepSessionBusFromStarting();
  VideoSurroundings surroundings = readVideoSurroundings(host != nullptr);
  if (nativeWaylandWanted(surroundings)) surroundings.waylandVideoStarts = waylandVideoStarts();
  chooseVideo(surroundings);
  askForClassicBehaviour(host != nullptr);
  // The scene's pictures decode on a second thread while the window and
  // its GL context come up; the first frame ends the prefetch.
  startImagePrefetch("main.pak");
  MonitorReports monitors = monitorsFor(surroundings);
  surroundings.xwayland = monitors.xwayland;
  VideoContext* video = openVideo(host.get(), monitors, run.settings(),
                                  chooseFullScreenWindow(surroundings));
  DesktopWatch desktop;
  bool followsDesktop = host == nullptr && watchDesktop(desktop, *video);
  if (followsDesktop) followDesktop(desktop, *video, run.extras().overlayMonitors);
  HostWindowWatch watch;
  bool hostStillThere = host == nullptr || watch.open(host->window);
  run.start(video);

  if (hostStillThere) {
    runMainLoop(run, host != nullptr ? &watch : nullptr, followsDesktop ? &desktop : nullptr);
  }
  // Teardown: the scene, then the video and SDL, while the watch on the
  // host's window still holds its own display connection.
  run.stop();
  return 0;
}
