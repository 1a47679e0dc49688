#include "tools/still/preview_picture.h"

#include <SDL/SDL.h>

std::vector<uint8_t> shrinkFrame(const std::vector<uint8_t>& rgbaBottomUp, int width, int height,
                                 int factor) {
  int outWidth = width / factor;
  int outHeight = height / factor;
  std::vector<uint8_t> out(static_cast<size_t>(outWidth) * outHeight * 4);
  for (int y = 0; y < outHeight; ++y) {
    for (int x = 0; x < outWidth; ++x) {
      unsigned sum[4] = {0, 0, 0, 0};
      for (int dy = 0; dy < factor; ++dy) {
        // Output row y counts from the top; the frame's rows from the bottom.
        int sourceRow = height - 1 - (y * factor + dy);
        for (int dx = 0; dx < factor; ++dx) {
          const uint8_t* p = &rgbaBottomUp[(static_cast<size_t>(sourceRow) * width + x * factor + dx) * 4];
          for (int c = 0; c < 4; ++c) sum[c] += p[c];
        }
      }
      uint8_t* q = &out[(static_cast<size_t>(y) * outWidth + x) * 4];
      for (int c = 0; c < 4; ++c) q[c] = static_cast<uint8_t>(sum[c] / (factor * factor));
    }
  }
  return out;
}

bool writeBmp24(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
  SDL_Surface* surface =
      SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
  if (surface == nullptr) return false;
  SDL_LockSurface(surface);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
      row[x * 3 + 0] = p[0];
      row[x * 3 + 1] = p[1];
      row[x * 3 + 2] = p[2];
    }
  }
  SDL_UnlockSurface(surface);
  bool ok = SDL_SaveBMP(surface, path.c_str()) == 0;
  SDL_FreeSurface(surface);
  return ok;
}
