#include "app/video_context.h"

#include <SDL/SDL.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/display_mode_table.h"
#include "app/lost_display.h"
#include "app/multisample_choice.h"
#include "app/renderer_probe.h"
#include "app/sdl_x11_windows.h"
#include "app/window_manager_full_screen.h"
#include "platform/full_screen_request.h"
#include "platform/host_window.h"
#include "platform/stop_signals.h"
#include "platform/software_rasteriser.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

namespace {

[[noreturn]] void failVideo(const char* format) {
  std::fprintf(stderr, format, SDL_GetError());
  SDL_Quit();
  std::exit(1);
}

void requestFrameBuffer(bool multisample) {
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, multisample ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, multisample ? 4 : 0);
  SDL_GL_SetAttribute(SDL_GL_ACCELERATED_VISUAL, multisample ? 1 : 0);
  // Let the buffer swap wait for the display's refresh, so the loop runs at
  // the refresh rate instead of as fast as the machine can draw.
  SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
}

// SDL ignores attribute requests when it draws into a window it did not
// create; ask GLX for the swap interval directly in that case.
void enableSwapControl() {
  int interval = 0;
  if (SDL_GL_GetAttribute(SDL_GL_SWAP_CONTROL, &interval) == 0 && interval == 1) return;
  using SwapIntervalMesa = int (*)(unsigned);
  using SwapIntervalSgi = int (*)(int);
  if (auto mesa = reinterpret_cast<SwapIntervalMesa>(SDL_GL_GetProcAddress("glXSwapIntervalMESA"))) {
    mesa(1);
  } else if (auto sgi = reinterpret_cast<SwapIntervalSgi>(SDL_GL_GetProcAddress("glXSwapIntervalSGI"))) {
    sgi(1);
  }
}

// Whether the screen offers a full-screen mode of at least w x h. SDL would
// otherwise fail with "No video mode large enough".
bool screenHolds(int32_t w, int32_t h) {
  SDL_Rect** modes = SDL_ListModes(nullptr, SDL_OPENGL | SDL_FULLSCREEN);
  if (modes == nullptr || modes == reinterpret_cast<SDL_Rect**>(-1)) return true;
  for (SDL_Rect** mode = modes; *mode != nullptr; ++mode) {
    if ((*mode)->w >= w && (*mode)->h >= h) return true;
  }
  return false;
}

// What task bars and window lists call the full-screen window.
constexpr char kWindowTitle[] = "Halvenrode";

// A host's window keeps the title its host gave it.
bool drawsIntoHostWindow() { return std::getenv("SDL_WINDOWID") != nullptr; }

// The classic SDL shows its full-screen picture in a window of its own
// beside the one its title goes to.
void nameFullScreenWindows() {
  FullScreenWindows windows;
  if (!sdlX11Windows(windows)) return;
  for (unsigned long container : windows.containers) {
    if (container != 0) nameWindow(container, kWindowTitle);
  }
}

}  // namespace

VideoContext::VideoContext(int32_t width, int32_t height, int32_t depth, const ScreenRect& screen,
                           FullScreenWindow window)
    : screen_(screen), ownsSdl_(true), window_(window) {
  avoidBrokenSoftwareRasteriserCode();
  if (SDL_Init(SDL_INIT_VIDEO) < 0) failVideo("Video initialization failed: %s\n");
  // Before OpenGL first meets the display, in the renderer's probe.
  watchSdlDisplayConnection();
  if (keepsDesktopMode(width, height, depth)) {
    takeDesktopSize();
    depth_ = SDL_GetVideoInfo()->vfmt->BitsPerPixel;
  } else {
    width_ = width;
    height_ = height;
    depth_ = depth;
  }
  fitToScreen();
  if (window_ == FullScreenWindow::Unmanaged && !coversScreen()) window_ = FullScreenWindow::BySdl;
  setMode();
  hideCursor();
  // SDL 2 takes the keyboard (SDL_GRAB_KEYBOARD) with the pointer, once
  // its window has the focus.
  if (window_ == FullScreenWindow::Unmanaged) SDL_WM_GrabInput(SDL_GRAB_ON);
}

bool VideoContext::coversScreen() const {
  return width_ >= screen_.width && height_ >= screen_.height;
}

// The cursor is hidden by an image with no pixels rather than by switching
// it off: the SDL 1.2 built on SDL 2 turns a switched-off cursor in a
// full-screen window into relative mouse mode, where motion comes only
// from raw device events (absolute pointers such as a tablet or a virtual
// machine's give none, so motion would never end the run), or, with SDL 2
// made to warp the pointer instead, into a stream of warps that floods the
// event queue on some multi-screen servers and loses the Escape key.
void VideoContext::hideCursor() {
  Uint8 none[1] = {0};
  blankCursor_ = SDL_CreateCursor(none, none, 8, 1, 0, 0);
  if (blankCursor_ != nullptr) {
    SDL_SetCursor(blankCursor_);
  } else {
    SDL_ShowCursor(SDL_DISABLE);
  }
}

// The classic SDL 1.2 reports the whole X screen as the desktop; the one
// built on SDL 2 reports its first monitor, and a full-screen window of
// that size would leave the other monitors uncovered. The larger of the
// two covers them all.
void VideoContext::takeDesktopSize() {
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  width_ = std::max(info->current_w, screen_.width);
  height_ = std::max(info->current_h, screen_.height);
}

// A display mode chosen for another screen, larger than any this one
// offers, falls back to the desktop's size instead of ending the run.
// A host's window (SDL_WINDOWID) is as large as the host made it, and the
// whole X screen is always there to be covered.
void VideoContext::fitToScreen() {
  if (drawsIntoHostWindow() || screenHolds(width_, height_)) return;
  if (width_ == screen_.width && height_ == screen_.height) return;
  int32_t asked[2] = {width_, height_};
  takeDesktopSize();
  std::fprintf(stderr,
               "halvenrode: the display mode %dx%d is larger than the screen; using %dx%d\n",
               asked[0], asked[1], width_, height_);
}

VideoContext* VideoContext::forCurrentContext(int32_t width, int32_t height) {
  VideoContext* video = new VideoContext();
  video->width_ = width;
  video->height_ = height;
  video->depth_ = 32;
  video->views_ = {wholeWindow(width, height)};
  applyFixedGlState();
  video->setProjection(width, height);
  return video;
}

VideoContext::~VideoContext() {
  if (blankCursor_ != nullptr) SDL_FreeCursor(blankCursor_);
  if (ownsSdl_) SDL_Quit();
}

void VideoContext::setMode() {
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  Uint32 flags = SDL_OPENGL | (window_ == FullScreenWindow::BySdl ? SDL_FULLSCREEN : SDL_NOFRAME) |
                 SDL_HWSURFACE | SDL_ASYNCBLIT;
  // SDL 2 reads the hint when it makes the window.
  if (window_ == FullScreenWindow::Unmanaged) setenv("SDL_X11_FORCE_OVERRIDE_REDIRECT", "1", 1);
  if (info != nullptr && info->blit_hw) flags |= SDL_HWACCEL;
  // SDL keeps the first context for later modes of the same kind, so the
  // renderer is asked for before it is made.
  if (!drawsIntoHostWindow()) SDL_WM_SetCaption(kWindowTitle, kWindowTitle);
  MultisampleRequest request = multisampleRequestFrom(std::getenv("HALVENRODE_MULTISAMPLE"));
  if (wantsMultisampling(request, [] { return rendererBeforeContext(); })) {
    requestFrameBuffer(true);
    multisampling_ = SDL_SetVideoMode(width_, height_, 32, flags) != nullptr;
  }
  if (!multisampling_) {
    // Drivers without multisampling get a plain mode on the second try.
    requestFrameBuffer(false);
    if (SDL_SetVideoMode(width_, height_, 32, flags) == nullptr) {
      // A host that took its window back while the mode was being set
      // ends the saver as a stop signal would, quietly.
      if (hostWindowLost()) endIfStillStarting();
      failVideo("Video mode set failed: %s\n");
    }
  }
  if (window_ == FullScreenWindow::ByWindowManager) askWindowManagerForFullScreen();
  if (!drawsIntoHostWindow()) nameFullScreenWindows();
  if (multisampling_) glEnable(GL_MULTISAMPLE);
  enableSwapControl();
  views_ = {wholeWindow(width_, height_)};
  applyFixedGlState();
  setProjection(width_, height_);
}

void VideoContext::firstFrameShown() {
  if (window_ == FullScreenWindow::ByWindowManager) askWindowManagerForFullScreen();
}

void VideoContext::setProjection(int32_t w, int32_t h) { corner = ::setProjection(w, h); }

void VideoContext::resize(int32_t w, int32_t h) {
  width_ = w;
  height_ = h;
  views_ = {wholeWindow(w, h)};
  setProjection(w, h);
}

void VideoContext::layOut(int32_t w, int32_t h, const std::vector<PictureView>& views) {
  width_ = w;
  height_ = h;
  setViews(views);
}

void VideoContext::setViews(const std::vector<PictureView>& views) {
  views_ = views.empty() ? std::vector<PictureView>{wholeWindow(width_, height_)} : views;
  views_.front().overlays = true;
  wholeWindowClears_ = 2;
  useView(views_.front());
}

bool VideoContext::takeWholeWindowClear() {
  if (wholeWindowClears_ == 0) return false;
  --wholeWindowClears_;
  return true;
}

void VideoContext::useView(const PictureView& view) {
  corner = ::setProjection(view.width, view.height, view.x, view.y);
  if (views_.size() > 1) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(view.x, view.y, view.width, view.height);
  } else {
    glDisable(GL_SCISSOR_TEST);
  }
}
