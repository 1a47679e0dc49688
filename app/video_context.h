#pragma once
#include <cstdint>
#include <vector>

struct SDL_Cursor;

#include "app/gl_setup.h"
#include "app/picture_views.h"
#include "app/video_driver_choice.h"

// The saver's video: SDL with a full-screen OpenGL mode, the fixed GL state
// and camera, a hidden cursor. Also answers where the picture's left and
// bottom edges lie at a given eye depth, so overlays can be pinned to
// corners at any resolution.
class VideoContext {
 public:
  // Starts SDL and sets the mode; all-zero arguments keep the desktop's
  // mode, and so does a mode larger than any the screen offers (with a
  // one-line warning on stderr). `screen` is the X screen's size where
  // known, the desktop that a full-screen window covers on every monitor.
  // `window` says how the window covers it (see FullScreenWindow); an
  // unmanaged one is made only for a mode that covers the whole screen,
  // other modes get SDL's full-screen mode. On failure prints the reason
  // to stderr and ends the process with status 1.
  VideoContext(int32_t width, int32_t height, int32_t depth, const ScreenRect& screen = {},
               FullScreenWindow window = FullScreenWindow::BySdl);

  // A context for a GL context that already exists and is current (the
  // offscreen renderer): fixed state and camera only, no SDL.
  static VideoContext* forCurrentContext(int32_t width, int32_t height);

  ~VideoContext();
  VideoContext(const VideoContext&) = delete;
  VideoContext& operator=(const VideoContext&) = delete;

  void setMode();

  // A window that asks the window manager for full screen asks again once
  // it shows a picture: a compositor busy while the window came up may
  // not have applied the first request.
  void firstFrameShown();
  void setProjection(int32_t w, int32_t h);

  // The picture is now `w` x `h` pixels (a host window changed size):
  // viewport, projection and edge functions follow, for one picture.
  void resize(int32_t w, int32_t h);

  // The pictures the window shows, one per monitor in a full-screen run
  // over several; a frame draws each in turn. The first always carries
  // the overlays.
  const std::vector<PictureView>& views() const { return views_; }
  void setViews(const std::vector<PictureView>& views);

  // The window is now `w` x `h` pixels and shows `views` (the screen, its
  // monitors or the window's place changed).
  void layOut(int32_t w, int32_t h, const std::vector<PictureView>& views);

  // True for the first frames after the views changed, which clear the
  // window's parts outside every view in both buffers: they would keep
  // whatever an earlier layout left there.
  bool takeWholeWindowClear();

  // Aims what is drawn next at `view`: viewport, projection and edge
  // functions, and with several views a scissor that keeps the clear
  // inside it.
  void useView(const PictureView& view);

  // Left edge (negated: right edge) and bottom edge (negated: top edge) of
  // the picture at eye depth `depth` (negative, in front of the eye).
  double edgeX(double depth) const { return corner.x * depth / corner.z; }
  double edgeY(double depth) const { return corner.y * depth / corner.z; }

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  bool multisampling() const { return multisampling_; }
  FullScreenWindow fullScreenWindow() const { return window_; }

  EyePoint corner;

 private:
  VideoContext() = default;
  void takeDesktopSize();
  void hideCursor();
  void fitToScreen();
  bool coversScreen() const;
  ScreenRect screen_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t depth_ = 0;
  std::vector<PictureView> views_;
  int wholeWindowClears_ = 0;
  bool ownsSdl_ = false;
  FullScreenWindow window_ = FullScreenWindow::BySdl;
  bool multisampling_ = false;
  SDL_Cursor* blankCursor_ = nullptr;
};
