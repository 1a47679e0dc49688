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
// window surfaces made from it, all of one opaque colour format with a
// depth buffer.
class WaylandGl {
 public:
  // False with `problem` set when EGL or desktop OpenGL is missing.
  bool open(wl_display* display, std::string& problem);
  EGLSurface windowSurface(wl_egl_window* window);
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
  EGLContext context_ = EGL_NO_CONTEXT;
};
