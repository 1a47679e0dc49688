#include "platform/background_surfaces.h"

#include <gdk/gdkwayland.h>
#include <gtk-layer-shell.h>
#include <gtk/gtk.h>
#include <wayland-client.h>

#include <memory>
#include <vector>

#include "platform/layer_surface.h"
#include "platform/wayland_gl.h"

namespace {

// How often a stop request is looked for, in milliseconds.
constexpr guint kStopPollMs = 100;

struct Session;

// One output's background: the scene's layer surface, and where the GL
// context can draw transparent surfaces, the overlays' one above it.
struct Output {
  Session* session = nullptr;
  GdkMonitor* monitor = nullptr;
  LayerSurface scene;
  LayerSurface overlays;
  wl_callback* frameCallback = nullptr;
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

// The overlays follow each picture of the scene on their own surface, once
// it exists; until then they are not drawn, so they never show under a
// panel.
void drawOverlays(Output& output) {
  LayerSurface& overlays = output.overlays;
  Session& session = *output.session;
  if (!session.gl.makeCurrent(overlays.eglSurface)) return;
  session.drawing->overlays(overlays.width, overlays.height);
  session.gl.swap(overlays.eglSurface);
}

// The next frame is asked for before this one is committed, so the
// compositor answers when it wants the one after: never, while hidden.
void drawOutput(Output& output) {
  Session& session = *output.session;
  LayerSurface& scene = output.scene;
  if (!session.gl.makeCurrent(scene.eglSurface)) return;
  if (!session.started) {
    session.drawing->start(scene.width, scene.height);
    session.started = true;
  }
  output.frameCallback = wl_surface_frame(scene.surface);
  wl_callback_add_listener(output.frameCallback, &kFrameListener, &output);
  bool overlaysApart = output.overlays.window != nullptr;
  session.drawing->frame(scene.width, scene.height, overlaysApart);
  session.gl.swap(scene.eglSurface);
  if (overlaysApart) drawOverlays(output);
}

// Stays installed after asking GTK to end; the run removes it.
gboolean pollStop(gpointer data) {
  Session& session = *static_cast<Session*>(data);
  if (session.drawing->stopRequested()) gtk_main_quit();
  return G_SOURCE_CONTINUE;
}

void openLayer(Output& output, LayerSurface& layer, LayerContent content) {
  layer.content = content;
  layer.globals = &output.session->globals;
  layer.gl = &output.session->gl;
  openLayerSurface(layer, output.monitor);
}

// The scene's first picture starts the output's frames; the overlays'
// surface waits for the next.
void openOutput(Session& session, GdkMonitor* monitor) {
  auto output = std::make_unique<Output>();
  Output* made = output.get();
  output->session = &session;
  output->monitor = monitor;
  output->scene.ready = [made] { drawOutput(*made); };
  output->overlays.ready = [] {};
  openLayer(*output, output->scene, LayerContent::Scene);
  if (session.drawing->overlaysShown && session.gl.drawsTransparent()) {
    openLayer(*output, output->overlays, LayerContent::Overlays);
  }
  session.outputs.push_back(std::move(output));
}

void closeOutput(Output& output) {
  if (output.frameCallback != nullptr) wl_callback_destroy(output.frameCallback);
  closeLayerSurface(output.overlays);
  closeLayerSurface(output.scene);
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
      if (session.gl.makeCurrent(output->scene.eglSurface)) break;
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
