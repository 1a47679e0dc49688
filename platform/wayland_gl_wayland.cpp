#include "platform/wayland_gl.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>

namespace {

// Surfaces need version 3 of the compositor for their buffer scale, and
// EGL reports damage in buffer pixels from version 4.
constexpr uint32_t kCompositorVersion = 4;

// Binds the two objects surfaces of our own are made from, as the
// compositor announces them.
void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
  WaylandGlobals& globals = *static_cast<WaylandGlobals*>(data);
  if (std::strcmp(interface, wl_compositor_interface.name) == 0 && version >= 3) {
    globals.compositor = static_cast<wl_compositor*>(wl_registry_bind(
        registry, name, &wl_compositor_interface, std::min(version, kCompositorVersion)));
  } else if (std::strcmp(interface, wl_subcompositor_interface.name) == 0) {
    globals.subcompositor = static_cast<wl_subcompositor*>(
        wl_registry_bind(registry, name, &wl_subcompositor_interface, 1));
  }
}

// Neither object ever goes while the compositor runs.
void onGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener = {onGlobal, onGlobalRemove};

#ifndef EGL_NO_CONFIG_KHR
#define EGL_NO_CONFIG_KHR (static_cast<EGLConfig>(nullptr))
#endif

// Of the matching configurations, one with or without alpha as asked: an
// opaque surface with alpha would have the compositor blend the picture,
// whose alpha is not meant for it, with whatever lies below.
EGLConfig configWithAlpha(EGLDisplay display, EGLint alphaBits) {
  const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                           EGL_RED_SIZE,     8,              EGL_GREEN_SIZE,      8,
                           EGL_BLUE_SIZE,    8,              EGL_ALPHA_SIZE,      alphaBits,
                           EGL_DEPTH_SIZE,   24,             EGL_NONE};
  EGLConfig configs[64];
  EGLint count = 0;
  if (!eglChooseConfig(display, wanted, configs, 64, &count) || count == 0) return nullptr;
  for (EGLint i = 0; i < count; ++i) {
    EGLint alpha = 0;
    if (eglGetConfigAttrib(display, configs[i], EGL_ALPHA_SIZE, &alpha) && alpha == alphaBits) {
      return configs[i];
    }
  }
  return alphaBits == 0 ? configs[0] : nullptr;
}

bool hasExtension(EGLDisplay display, const char* name) {
  const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
  if (extensions == nullptr) return false;
  size_t length = std::strlen(name);
  for (const char* at = std::strstr(extensions, name); at != nullptr; at = std::strstr(at + 1, name)) {
    if ((at == extensions || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
  }
  return false;
}

}  // namespace

// The registry is read on a queue of its own, so that none of the other
// library's events are dispatched here; what it binds then moves to the
// default queue, where that library dispatches.
bool bindWaylandGlobals(wl_display* display, WaylandGlobals& globals) {
  wl_event_queue* queue = wl_display_create_queue(display);
  auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
  wl_registry* registry = wl_display_get_registry(wrapper);
  wl_registry_add_listener(registry, &kRegistryListener, &globals);
  wl_display_roundtrip_queue(display, queue);
  wl_registry_destroy(registry);
  wl_proxy_wrapper_destroy(wrapper);
  for (void* proxy : {static_cast<void*>(globals.compositor), static_cast<void*>(globals.subcompositor)}) {
    if (proxy != nullptr) wl_proxy_set_queue(static_cast<wl_proxy*>(proxy), nullptr);
  }
  wl_event_queue_destroy(queue);
  return globals.compositor != nullptr && globals.subcompositor != nullptr;
}

void releaseWaylandGlobals(WaylandGlobals& globals) {
  if (globals.subcompositor != nullptr) wl_subcompositor_destroy(globals.subcompositor);
  if (globals.compositor != nullptr) wl_compositor_destroy(globals.compositor);
  globals = {};
}

// One context for surfaces of both formats needs a context made without a
// configuration; without that, every surface is opaque.
bool WaylandGl::open(wl_display* display, std::string& problem) {
  display_ = eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(display));
  if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) {
    problem = "no EGL for the compositor's connection";
    return false;
  }
  config_ = eglBindAPI(EGL_OPENGL_API) ? configWithAlpha(display_, 0) : nullptr;
  if (config_ != nullptr && hasExtension(display_, "EGL_KHR_no_config_context")) {
    transparentConfig_ = configWithAlpha(display_, 8);
  }
  if (transparentConfig_ != nullptr) {
    context_ = eglCreateContext(display_, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr);
    if (context_ == EGL_NO_CONTEXT) transparentConfig_ = nullptr;
  }
  if (context_ == EGL_NO_CONTEXT && config_ != nullptr) {
    context_ = eglCreateContext(display_, config_, EGL_NO_CONTEXT, nullptr);
  }
  if (context_ == EGL_NO_CONTEXT) {
    problem = "EGL offers no desktop OpenGL with a depth buffer";
    return false;
  }
  return true;
}

EGLSurface WaylandGl::windowSurface(wl_egl_window* window, bool transparent) {
  EGLConfig config = transparent ? transparentConfig_ : config_;
  if (config == nullptr) return EGL_NO_SURFACE;
  return eglCreateWindowSurface(display_, config, reinterpret_cast<EGLNativeWindowType>(window),
                                nullptr);
}

bool WaylandGl::makeCurrent(EGLSurface surface) {
  if (surface == EGL_NO_SURFACE || !eglMakeCurrent(display_, surface, surface, context_)) {
    return false;
  }
  eglSwapInterval(display_, 0);
  return true;
}

void WaylandGl::swap(EGLSurface surface) { eglSwapBuffers(display_, surface); }

void WaylandGl::destroySurface(EGLSurface surface) {
  if (surface != EGL_NO_SURFACE) eglDestroySurface(display_, surface);
}

void WaylandGl::release() {
  if (display_ != EGL_NO_DISPLAY) {
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  }
}

void WaylandGl::close() {
  if (display_ == EGL_NO_DISPLAY) return;
  if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
  eglTerminate(display_);
  display_ = EGL_NO_DISPLAY;
  context_ = EGL_NO_CONTEXT;
}
