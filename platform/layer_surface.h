#pragma once
#include <EGL/egl.h>
#include <gtk/gtk.h>

#include <functional>

#include "platform/wayland_gl.h"

struct wl_egl_window;
struct wl_subsurface;
struct wl_surface;

// What a layer surface of one output shows.
enum class LayerContent {
  // The scene, over the whole output on the background layer, under every
  // window and panel (exclusive zone -1).
  Scene,
  // The overlays, on the bottom layer above the scene with exclusive zone
  // 0: the compositor places and sizes it inside the part of the output
  // its panels leave free. Transparent but where drawn on.
  Overlays,
};

// One layer surface made by GTK, and on it a subsurface of our own that a
// GL context draws into, so GTK's buffers and ours never meet on one
// surface. Neither takes keyboard or pointer input.
struct LayerSurface {
  LayerContent content = LayerContent::Scene;
  const WaylandGlobals* globals = nullptr;
  WaylandGl* gl = nullptr;
  // Called once its GL surface exists, outside GTK's own drawing.
  std::function<void()> ready;

  GtkWidget* window = nullptr;
  guint pendingStart = 0;
  wl_surface* surface = nullptr;
  wl_subsurface* subsurface = nullptr;
  wl_egl_window* eglWindow = nullptr;
  EGLSurface eglSurface = EGL_NO_SURFACE;
  // The size the compositor gave it, in pixels.
  int width = 0;
  int height = 0;
};

// Shows `layer` (its content, globals, gl and ready set) on `monitor`.
void openLayerSurface(LayerSurface& layer, GdkMonitor* monitor);

// With no context current on its GL surface. Safe on one never opened.
void closeLayerSurface(LayerSurface& layer);
