#include "gl_fixture.h"

#include <SDL.h>

#include "platform/png_file.h"
#include "temp_folder.h"

void GlTest::SetUp() {
  context_.reset(new OffscreenGlContext(kSize, kSize));
  ASSERT_TRUE(context_->ok());
  glViewport(0, 0, kSize, kSize);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-32, 32, -32, 32, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glAlphaFunc(GL_GREATER, 0.9f);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_DEPTH_TEST);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlTest::TearDown() { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

Rgba GlTest::pixel(int x, int y) const {
  std::vector<uint8_t> all = context_->readPixels();
  size_t at = 4 * (static_cast<size_t>(y) * kSize + x);
  return {all[at], all[at + 1], all[at + 2], all[at + 3]};
}

float GlTest::depthAt(int x, int y) const {
  float depth = -1;
  glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  return depth;
}

std::vector<uint8_t> GlTest::texels(uint32_t texture, int& width, int& height) const {
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  std::vector<uint8_t> out(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  if (!out.empty()) glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out.data());
  return out;
}

std::vector<uint8_t> pngImage(int width, int height, const std::vector<uint8_t>& rgba) {
  TempFolder folder;
  writePngRgba(folder.file("i.png"), width, height, rgba, false);
  return readBytes(folder.file("i.png"));
}

namespace {

std::vector<uint8_t> saveBmp(SDL_Surface* surface) {
  TempFolder folder;
  SDL_SaveBMP(surface, folder.file("i.bmp").c_str());
  SDL_FreeSurface(surface);
  return readBytes(folder.file("i.bmp"));
}

}  // namespace

std::vector<uint8_t> bmpImage24(int width, int height, const std::vector<uint8_t>& rgb) {
  SDL_Surface* surface =
      SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
    for (int i = 0; i < width * 3; ++i) row[i] = rgb[static_cast<size_t>(y) * width * 3 + i];
  }
  return saveBmp(surface);
}

std::vector<uint8_t> bmpImage8(int width, int height, const std::vector<uint8_t>& indices,
                               const std::vector<uint8_t>& palette) {
  SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 8, 0, 0, 0, 0);
  std::vector<SDL_Color> colours(palette.size() / 3);
  for (size_t i = 0; i < colours.size(); ++i) {
    colours[i] = {palette[3 * i], palette[3 * i + 1], palette[3 * i + 2], 0};
  }
  SDL_SetColors(surface, colours.data(), 0, static_cast<int>(colours.size()));
  for (int y = 0; y < height; ++y) {
    uint8_t* row = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < width; ++x) row[x] = indices[static_cast<size_t>(y) * width + x];
  }
  return saveBmp(surface);
}
