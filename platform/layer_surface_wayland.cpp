#include "platform/layer_surface.h"

#include <gdk/gdkwayland.h>
#include <gtk-layer-shell.h>
#include <wayland-client.h>
#include <wayland-egl.h>

namespace {

bool transparent(const LayerSurface& layer) { return layer.content == LayerContent::Overlays; }

// The subsurface draws on its own (desynchronised from GTK's commits of
// the layer surface) and lets every input event through to the desktop.
bool makeSubsurface(LayerSurface& layer) {
  GdkWindow* window = gtk_widget_get_window(layer.window);
  wl_surface* parent = gdk_wayland_window_get_wl_surface(window);
  if (parent == nullptr) return false;
  layer.surface = wl_compositor_create_surface(layer.globals->compositor);
  layer.subsurface =
      wl_subcompositor_get_subsurface(layer.globals->subcompositor, layer.surface, parent);
  wl_subsurface_set_desync(layer.subsurface);
  wl_region* nothing = wl_compositor_create_region(layer.globals->compositor);
  wl_surface_set_input_region(layer.surface, nothing);
  wl_region_destroy(nothing);
  cairo_region_t* none = cairo_region_create();
  gdk_window_input_shape_combine_region(window, none, 0, 0);
  cairo_region_destroy(none);
  // A new subsurface joins its parent with the parent's next commit.
  gtk_widget_queue_draw(layer.window);
  return true;
}

// The GL surface is made once GTK has shown the layer surface at the size
// the compositor gave it; later sizes resize its buffers.
void startLayer(LayerSurface& layer) {
  if (layer.eglWindow != nullptr || layer.width <= 0 || !makeSubsurface(layer)) return;
  wl_surface_set_buffer_scale(layer.surface, gtk_widget_get_scale_factor(layer.window));
  layer.eglWindow = wl_egl_window_create(layer.surface, layer.width, layer.height);
  layer.eglSurface = layer.gl->windowSurface(layer.eglWindow, transparent(layer));
  if (layer.eglSurface != EGL_NO_SURFACE) layer.ready();
}

// Outside GTK's own drawing, which is under way when the start is asked for.
gboolean startLayerWhenIdle(gpointer data) {
  LayerSurface& layer = *static_cast<LayerSurface*>(data);
  layer.pendingStart = 0;
  startLayer(layer);
  return G_SOURCE_REMOVE;
}

// GTK's own drawing of the layer surface means it exists, with its size.
// Under the overlays' subsurface GTK's picture is fully transparent.
gboolean onGtkDraw(GtkWidget*, cairo_t* cairo, gpointer data) {
  LayerSurface& layer = *static_cast<LayerSurface*>(data);
  if (transparent(layer)) {
    cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cairo, 0, 0, 0, 0);
    cairo_paint(cairo);
  }
  if (layer.eglWindow == nullptr && layer.pendingStart == 0) {
    layer.pendingStart = g_idle_add(startLayerWhenIdle, &layer);
  }
  return FALSE;
}

// The compositor sizes the layer surface, in pixels here.
void onSizeAllocate(GtkWidget* widget, GdkRectangle* area, gpointer data) {
  LayerSurface& layer = *static_cast<LayerSurface*>(data);
  int scale = gtk_widget_get_scale_factor(widget);
  int width = area->width * scale;
  int height = area->height * scale;
  if (width <= 0 || height <= 0 || (width == layer.width && height == layer.height)) return;
  layer.width = width;
  layer.height = height;
  if (layer.eglWindow != nullptr) wl_egl_window_resize(layer.eglWindow, width, height, 0, 0);
}

// A layer window anchored to every edge of its output that never takes
// the keyboard; the overlays' one lets what lies below show through.
GtkWidget* layerWindow(LayerContent content, GdkMonitor* monitor) {
  GtkWidget* widget = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(widget);
  gtk_layer_init_for_window(window);
  bool scene = content == LayerContent::Scene;
  gtk_layer_set_layer(window, scene ? GTK_LAYER_SHELL_LAYER_BACKGROUND : GTK_LAYER_SHELL_LAYER_BOTTOM);
  gtk_layer_set_namespace(window, scene ? "wallpaper" : "wallpaper-overlays");
  gtk_layer_set_monitor(window, monitor);
  for (GtkLayerShellEdge edge : {GTK_LAYER_SHELL_EDGE_LEFT, GTK_LAYER_SHELL_EDGE_RIGHT,
                                 GTK_LAYER_SHELL_EDGE_TOP, GTK_LAYER_SHELL_EDGE_BOTTOM}) {
    gtk_layer_set_anchor(window, edge, TRUE);
  }
  gtk_layer_set_exclusive_zone(window, scene ? -1 : 0);
  gtk_layer_set_keyboard_mode(window, GTK_LAYER_SHELL_KEYBOARD_MODE_NONE);
  if (!scene) {
    GdkVisual* withAlpha = gdk_screen_get_rgba_visual(gtk_widget_get_screen(widget));
    if (withAlpha != nullptr) gtk_widget_set_visual(widget, withAlpha);
    gtk_widget_set_app_paintable(widget, TRUE);
  }
  return widget;
}

}  // namespace

// The window stays when the compositor closes its layer surface (its
// output went away): the output's removal takes it down with the rest.
void openLayerSurface(LayerSurface& layer, GdkMonitor* monitor) {
  layer.window = layerWindow(layer.content, monitor);
  g_signal_connect(layer.window, "size-allocate", G_CALLBACK(onSizeAllocate), &layer);
  g_signal_connect(layer.window, "draw", G_CALLBACK(onGtkDraw), &layer);
  g_signal_connect(layer.window, "delete-event", G_CALLBACK(gtk_true), nullptr);
  gtk_widget_show(layer.window);
}

// Its surfaces go in the order they were made in reverse.
void closeLayerSurface(LayerSurface& layer) {
  if (layer.window == nullptr) return;
  if (layer.pendingStart != 0) g_source_remove(layer.pendingStart);
  layer.gl->destroySurface(layer.eglSurface);
  if (layer.eglWindow != nullptr) wl_egl_window_destroy(layer.eglWindow);
  if (layer.subsurface != nullptr) wl_subsurface_destroy(layer.subsurface);
  if (layer.surface != nullptr) wl_surface_destroy(layer.surface);
  gtk_widget_destroy(layer.window);
  layer.pendingStart = 0;
  layer.eglSurface = EGL_NO_SURFACE;
  layer.eglWindow = nullptr;
  layer.subsurface = nullptr;
  layer.surface = nullptr;
  layer.window = nullptr;
}
