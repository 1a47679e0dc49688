#include "platform/background_surfaces.h"

#include <EGL/egl.h>
#include <gdk/gdkwayland.h>
#include <gtk-layer-shell.h>
#include <gtk/gtk.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include <memory>
#include <vector>

#include "platform/wayland_gl.h"

namespace {

// How often a stop request is looked for, in milliseconds.
constexpr guint kStopPollMs = 100;

struct Session;

// One output's background: a layer surface made by GTK, and on it a
// subsurface of our own that the GL context draws into, so GTK's buffers
// and ours never meet on one surface.
struct Output {
  Session* session = nullptr;
  GdkMonitor* monitor = nullptr;
  GtkWidget* window = nullptr;
  guint pendingStart = 0;
  wl_surface* surface = nullptr;
  wl_subsurface* subsurface = nullptr;
  wl_egl_window* eglWindow = nullptr;
  EGLSurface eglSurface = EGL_NO_SURFACE;
  wl_callback* frameCallback = nullptr;
  int width = 0;
  int height = 0;
};

struct Session {
  const BackgroundDrawing* drawing = nullptr;
  WaylandGlobals globals;
  WaylandGl gl;
  bool started = false;
  std::vector<std::unique_ptr<Output>> outputs;
};

void drawOutput(Output& output);

// The compositor wants the next picture of this output.
void onFrameDone(void* data, wl_callback* callback, uint32_t) {
  Output& output = *static_cast<Output*>(data);
  wl_callback_destroy(callback);
  output.frameCallback = nullptr;
  drawOutput(output);
}

const wl_callback_listener kFrameListener = {onFrameDone};

// The next frame is asked for before this one is committed, so the
// compositor answers when it wants the one after: never, while hidden.
void drawOutput(Output& output) {
  Session& session = *output.session;
  if (!session.gl.makeCurrent(output.eglSurface)) return;
  if (!session.started) {
    session.drawing->start(output.width, output.height);
    session.started = true;
  }
  output.frameCallback = wl_surface_frame(output.surface);
  wl_callback_add_listener(output.frameCallback, &kFrameListener, &output);
  session.drawing->frame(output.width, output.height);
  session.gl.swap(output.eglSurface);
}

// The subsurface draws on its own (desynchronised from GTK's commits of
// the layer surface) and lets every input event through to the desktop.
bool makeSubsurface(Output& output) {
  const WaylandGlobals& globals = output.session->globals;
  GdkWindow* window = gtk_widget_get_window(output.window);
  wl_surface* parent = gdk_wayland_window_get_wl_surface(window);
  if (parent == nullptr) return false;
  output.surface = wl_compositor_create_surface(globals.compositor);
  output.subsurface = wl_subcompositor_get_subsurface(globals.subcompositor, output.surface, parent);
  wl_subsurface_set_desync(output.subsurface);
  wl_region* nothing = wl_compositor_create_region(globals.compositor);
  wl_surface_set_input_region(output.surface, nothing);
  wl_region_destroy(nothing);
  cairo_region_t* none = cairo_region_create();
  gdk_window_input_shape_combine_region(window, none, 0, 0);
  cairo_region_destroy(none);
  // A new subsurface joins its parent with the parent's next commit.
  gtk_widget_queue_draw(output.window);
  return true;
}

// The first picture goes up once GTK has shown the layer surface at the
// size the compositor gave it; later sizes resize the buffers.
void startOutput(Output& output) {
  if (output.eglWindow != nullptr || output.width <= 0 || !makeSubsurface(output)) return;
  wl_surface_set_buffer_scale(output.surface, gtk_widget_get_scale_factor(output.window));
  output.eglWindow = wl_egl_window_create(output.surface, output.width, output.height);
  output.eglSurface = output.session->gl.windowSurface(output.eglWindow);
  if (output.eglSurface != EGL_NO_SURFACE) drawOutput(output);
}

// Outside GTK's own drawing, which is under way when the start is asked for.
gboolean startOutputWhenIdle(gpointer data) {
  Output& output = *static_cast<Output*>(data);
  output.pendingStart = 0;
  startOutput(output);
  return G_SOURCE_REMOVE;
}

// GTK's own drawing of the layer surface means it exists, with its size.
gboolean onGtkDraw(GtkWidget*, cairo_t*, gpointer data) {
  Output& output = *static_cast<Output*>(data);
  if (output.eglWindow == nullptr && output.pendingStart == 0) {
    output.pendingStart = g_idle_add(startOutputWhenIdle, &output);
  }
  return FALSE;
}

// The compositor sizes the layer surface to its output, in pixels here.
void onSizeAllocate(GtkWidget* widget, GdkRectangle* area, gpointer data) {
  Output& output = *static_cast<Output*>(data);
  int scale = gtk_widget_get_scale_factor(widget);
  int width = area->width * scale;
  int height = area->height * scale;
  if (width <= 0 || height <= 0 || (width == output.width && height == output.height)) return;
  output.width = width;
  output.height = height;
  if (output.eglWindow != nullptr) wl_egl_window_resize(output.eglWindow, width, height, 0, 0);
}

// A layer window anchored to every edge of its output, under panels too
// (exclusive zone -1), that never takes the keyboard.
GtkWidget* backgroundWindow(GdkMonitor* monitor) {
  GtkWidget* widget = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(widget);
  gtk_layer_init_for_window(window);
  gtk_layer_set_layer(window, GTK_LAYER_SHELL_LAYER_BACKGROUND);
  gtk_layer_set_namespace(window, "wallpaper");
  gtk_layer_set_monitor(window, monitor);
  for (GtkLayerShellEdge edge : {GTK_LAYER_SHELL_EDGE_LEFT, GTK_LAYER_SHELL_EDGE_RIGHT,
                                 GTK_LAYER_SHELL_EDGE_TOP, GTK_LAYER_SHELL_EDGE_BOTTOM}) {
    gtk_layer_set_anchor(window, edge, TRUE);
  }
  gtk_layer_set_exclusive_zone(window, -1);
  gtk_layer_set_keyboard_mode(window, GTK_LAYER_SHELL_KEYBOARD_MODE_NONE);
  return widget;
}

// Stays installed after asking GTK to end; the run removes it.
gboolean pollStop(gpointer data) {
  Session& session = *static_cast<Session*>(data);
  if (session.drawing->stopRequested()) gtk_main_quit();
  return G_SOURCE_CONTINUE;
}

// The window stays when the compositor closes its layer surface (its
// output went away): the output's removal takes it down with the rest.
void openOutput(Session& session, GdkMonitor* monitor) {
  auto output = std::make_unique<Output>();
  output->session = &session;
  output->monitor = monitor;
  output->window = backgroundWindow(monitor);
  g_signal_connect(output->window, "size-allocate", G_CALLBACK(onSizeAllocate), output.get());
  g_signal_connect(output->window, "draw", G_CALLBACK(onGtkDraw), output.get());
  g_signal_connect(output->window, "delete-event", G_CALLBACK(gtk_true), nullptr);
  gtk_widget_show(output->window);
  session.outputs.push_back(std::move(output));
}

// With no context current on it, an output's surfaces go in the order
// they were made in reverse.
void closeOutput(Output& output) {
  WaylandGl& gl = output.session->gl;
  if (output.pendingStart != 0) g_source_remove(output.pendingStart);
  if (output.frameCallback != nullptr) wl_callback_destroy(output.frameCallback);
  gl.destroySurface(output.eglSurface);
  if (output.eglWindow != nullptr) wl_egl_window_destroy(output.eglWindow);
  if (output.subsurface != nullptr) wl_subsurface_destroy(output.subsurface);
  if (output.surface != nullptr) wl_surface_destroy(output.surface);
  gtk_widget_destroy(output.window);
}

// A monitor plugged in while the background runs gets one of its own.
void onMonitorAdded(GdkDisplay*, GdkMonitor* monitor, gpointer data) {
  openOutput(*static_cast<Session*>(data), monitor);
}

// A monitor that goes takes its surfaces along; the context may have been
// current on them, so none is current afterwards.
void onMonitorRemoved(GdkDisplay*, GdkMonitor* monitor, gpointer data) {
  Session& session = *static_cast<Session*>(data);
  for (auto output = session.outputs.begin(); output != session.outputs.end(); ++output) {
    if ((*output)->monitor != monitor) continue;
    session.gl.release();
    closeOutput(**output);
    session.outputs.erase(output);
    return;
  }
}

// One background per output, outputs that come later included.
void openOutputs(Session& session) {
  GdkDisplay* display = gdk_display_get_default();
  for (int i = 0; i < gdk_display_get_n_monitors(display); ++i) {
    openOutput(session, gdk_display_get_monitor(display, i));
  }
  g_signal_connect(display, "monitor-added", G_CALLBACK(onMonitorAdded), &session);
  g_signal_connect(display, "monitor-removed", G_CALLBACK(onMonitorRemoved), &session);
}

// The drawing ends with the context still current on a surface, then
// every surface goes before the context and the display connection.
void closeOutputs(Session& session) {
  g_signal_handlers_disconnect_by_data(gdk_display_get_default(), &session);
  if (session.started) {
    for (auto& output : session.outputs) {
      if (session.gl.makeCurrent(output->eglSurface)) break;
    }
    session.drawing->stop();
  }
  session.gl.release();
  for (auto& output : session.outputs) closeOutput(*output);
  session.outputs.clear();
}

// GTK on its Wayland backend only: the X11 backend has no layer surfaces.
bool startGtk(std::string& problem) {
  gdk_set_allowed_backends("wayland");
  if (!gtk_init_check(nullptr, nullptr)) {
    problem = "no Wayland compositor answers (WAYLAND_DISPLAY)";
    return false;
  }
  if (!gtk_layer_is_supported()) {
    problem = "the compositor offers no layer surfaces (wlr-layer-shell)";
    return false;
  }
  return true;
}

}  // namespace

bool runBackgroundSurfaces(const BackgroundDrawing& drawing, std::string& problem) {
  if (!startGtk(problem)) return false;
  Session session;
  session.drawing = &drawing;
  wl_display* display = gdk_wayland_display_get_wl_display(gdk_display_get_default());
  if (!bindWaylandGlobals(display, session.globals)) {
    problem = "the compositor offers no subsurfaces";
    return false;
  }
  if (!session.gl.open(display, problem)) return false;
  openOutputs(session);
  guint poll = g_timeout_add(kStopPollMs, pollStop, &session);
  gtk_main();
  g_source_remove(poll);
  closeOutputs(session);
  session.gl.close();
  releaseWaylandGlobals(session.globals);
  return true;
}
