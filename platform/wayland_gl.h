#pragma once
#include <EGL/egl.h>

#include <string>

struct wl_compositor;
struct wl_display;
struct wl_egl_window;
struct wl_subcompositor;

// The compositor's objects that surfaces of our own are made from, bound
// on a connection another library (GTK) dispatches: their events arrive
// with that library's own.
struct WaylandGlobals {
  wl_compositor* compositor = nullptr;
  wl_subcompositor* subcompositor = nullptr;
};

// False unless the compositor offers both.
bool bindWaylandGlobals(wl_display* display, WaylandGlobals& globals);
void releaseWaylandGlobals(WaylandGlobals& globals);

// Desktop OpenGL through EGL on a Wayland connection: one context, in the
// compatibility profile (no version or profile asked for), shared by the
// window surfaces made from it, each with a depth buffer: opaque ones, and
// where EGL lets one context draw on surfaces of different formats
// (EGL_KHR_no_config_context), transparent ones as well.
class WaylandGl {
 public:
  // False with `problem` set when EGL or desktop OpenGL is missing.
  bool open(wl_display* display, std::string& problem);
  bool drawsTransparent() const { return transparentConfig_ != nullptr; }
  // A transparent surface's alpha is its coverage, its colours
  // premultiplied by it, as the compositor blends it.
  EGLSurface windowSurface(wl_egl_window* window, bool transparent);
  // Buffer swaps do not wait for the compositor: frames are paced by its
  // frame callbacks instead.
  bool makeCurrent(EGLSurface surface);
  void swap(EGLSurface surface);
  void destroySurface(EGLSurface surface);
  // Leaves no context current.
  void release();
  void close();

 private:
  EGLDisplay display_ = EGL_NO_DISPLAY;
  EGLConfig config_ = nullptr;
  EGLConfig transparentConfig_ = nullptr;
  EGLContext context_ = EGL_NO_CONTEXT;
};
