#include "app/video_context.h"

#include <SDL/SDL.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "app/multisample_choice.h"
#include "app/renderer_probe.h"
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

}  // namespace

VideoContext::VideoContext(int32_t width, int32_t height, int32_t depth) : ownsSdl_(true) {
  avoidBrokenSoftwareRasteriserCode();
  if (SDL_Init(SDL_INIT_VIDEO) < 0) failVideo("Video initialization failed: %s\n");
  if (width == 0 && height == 0 && depth == 0) {
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    width_ = info->current_w;
    height_ = info->current_h;
    depth_ = info->vfmt->BitsPerPixel;
  } else {
    width_ = width;
    height_ = height;
    depth_ = depth;
  }
  fitToScreen();
  setMode();
  SDL_ShowCursor(SDL_DISABLE);
}

// A display mode chosen for another screen, larger than any this one
// offers, falls back to the desktop's size instead of ending the run.
// A host's window (SDL_WINDOWID) is as large as the host made it.
void VideoContext::fitToScreen() {
  if (std::getenv("SDL_WINDOWID") != nullptr || screenHolds(width_, height_)) return;
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  std::fprintf(stderr,
               "halvenrode: the display mode %dx%d is larger than the screen; using %dx%d\n",
               width_, height_, info->current_w, info->current_h);
  width_ = info->current_w;
  height_ = info->current_h;
}

VideoContext* VideoContext::forCurrentContext(int32_t width, int32_t height) {
  VideoContext* video = new VideoContext();
  video->width_ = width;
  video->height_ = height;
  video->depth_ = 32;
  applyFixedGlState();
  video->setProjection(width, height);
  return video;
}

VideoContext::~VideoContext() {
  if (ownsSdl_) SDL_Quit();
}

void VideoContext::setMode() {
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  Uint32 flags = SDL_OPENGL | SDL_FULLSCREEN | SDL_HWSURFACE | SDL_ASYNCBLIT;
  if (info != nullptr && info->blit_hw) flags |= SDL_HWACCEL;
  // SDL keeps the first context for later modes of the same kind, so the
  // renderer is asked for before it is made.
  MultisampleRequest request = multisampleRequestFrom(std::getenv("HALVENRODE_MULTISAMPLE"));
  if (wantsMultisampling(request, [] { return rendererBeforeContext(); })) {
    requestFrameBuffer(true);
    multisampling_ = SDL_SetVideoMode(width_, height_, 32, flags) != nullptr;
  }
  if (!multisampling_) {
    // Drivers without multisampling get a plain mode on the second try.
    requestFrameBuffer(false);
    if (SDL_SetVideoMode(width_, height_, 32, flags) == nullptr) {
      failVideo("Video mode set failed: %s\n");
    }
  }
  if (multisampling_) glEnable(GL_MULTISAMPLE);
  enableSwapControl();
  applyFixedGlState();
  setProjection(width_, height_);
}

void VideoContext::setProjection(int32_t w, int32_t h) { corner = ::setProjection(w, h); }

void VideoContext::resize(int32_t w, int32_t h) {
  width_ = w;
  height_ = h;
  setProjection(w, h);
}
