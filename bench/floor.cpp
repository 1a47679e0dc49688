// The floor the saver is measured against: what the software rasteriser
// gives for the same number of fragments with none of the saver's own
// work. It opens the saver's full-screen window (the same video set-up,
// visual and multisampling choice), then clears and draws LAYERS textured,
// depth-tested layers over the whole window each frame, each nearer than
// the last so every fragment passes, and swaps, until it is ended. A
// fractional count draws its last layer over that fraction of the
// window's height. The swap timer preloaded by scripts/bench-onscreen
// times it exactly as it times the saver.
//
//   halvenrode-bench-floor LAYERS
#include <SDL/SDL.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/video_context.h"

namespace {

constexpr int kTextureSize = 256;

// A 256x256 RGB texture with detail in every texel, uploaded as the
// saver uploads its artwork (linear filtering, modulated by the colour).
GLuint makeTexture() {
  std::vector<unsigned char> texels(kTextureSize * kTextureSize * 3);
  for (int y = 0; y < kTextureSize; ++y) {
    for (int x = 0; x < kTextureSize; ++x) {
      unsigned char* texel = &texels[(y * kTextureSize + x) * 3];
      texel[0] = static_cast<unsigned char>(x ^ y);
      texel[1] = static_cast<unsigned char>(x * 3 + y);
      texel[2] = static_cast<unsigned char>(200 + (x + y) % 56);
    }
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kTextureSize, kTextureSize, 0, GL_RGB, GL_UNSIGNED_BYTE,
               texels.data());
  return name;
}

// Window coordinates from -1 to 1 on both axes, depth from 1 (far) to -1.
void useWholeWindowProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glDepthMask(GL_TRUE);
  glEnable(GL_TEXTURE_2D);
}

// One layer at `depth`, covering the window's height up to `top` (-1..1),
// its texture shifted a little per layer so no two are the same fetches.
void drawLayer(double depth, double top, int index) {
  const double shift = index * 0.137;
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glTexCoord2d(shift, shift);
  glVertex3d(-1, -1, depth);
  glTexCoord2d(shift + 4, shift);
  glVertex3d(1, -1, depth);
  glTexCoord2d(shift + 4, shift + 3 * (top + 1) / 2);
  glVertex3d(1, top, depth);
  glTexCoord2d(shift, shift + 3 * (top + 1) / 2);
  glVertex3d(-1, top, depth);
  glEnd();
}

void drawFrame(double layers) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const int whole = static_cast<int>(std::floor(layers));
  const int count = whole + (layers > whole ? 1 : 0);
  for (int i = 0; i < count; ++i) {
    const double depth = 0.9 - 1.8 * (i + 1) / (count + 1);
    const double top = i < whole ? 1.0 : -1.0 + 2.0 * (layers - whole);
    drawLayer(depth, top, i);
  }
}

// Escape or a quit request ends the floor run, as they end the saver.
bool stopAsked() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) return true;
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const double layers = argc == 2 ? std::strtod(argv[1], nullptr) : 0;
  if (!(layers > 0 && layers <= 64)) {
    std::fprintf(stderr, "usage: halvenrode-bench-floor LAYERS (more than 0, at most 64)\n");
    return 2;
  }
  VideoContext video(0, 0, 0);
  glBindTexture(GL_TEXTURE_2D, makeTexture());
  useWholeWindowProjection();
  while (!stopAsked()) {
    drawFrame(layers);
    SDL_GL_SwapBuffers();
  }
  return 0;
}
