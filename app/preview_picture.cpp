#include "app/preview_picture.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

#include "platform/regular_file.h"
#include "resources/image_structure.h"
#include "resources/image_texture.h"

namespace {

// The installed picture is 152 x 112 pixels, some 50 KiB.
constexpr uint64_t kMaxPictureFileBytes = uint64_t{16} << 20;

// The raw pixel value at (x, y) of a surface of 1 to 4 bytes per pixel.
Uint32 rawPixel(const SDL_Surface* surface, int x, int y) {
  const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
                   x * surface->format->BytesPerPixel;
  switch (surface->format->BytesPerPixel) {
    case 1: return *p;
    case 2: return *reinterpret_cast<const Uint16*>(p);
    case 3:
      if (SDL_BYTEORDER == SDL_LIL_ENDIAN) return p[0] | p[1] << 8 | p[2] << 16;
      return p[2] | p[1] << 8 | p[0] << 16;
    default: return *reinterpret_cast<const Uint32*>(p);
  }
}

// Converts through the surface's own format, so every depth the reader
// accepts shows its true colours and the rows' padding is skipped.
void copyPixels(SDL_Surface* surface, int width, int height, PreviewPicture& picture) {
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Uint8 r = 0, g = 0, b = 0;
      SDL_GetRGB(rawPixel(surface, x, y), surface->format, &r, &g, &b);
      picture.pixels[static_cast<size_t>(y) * width + x] =
          static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | b;
    }
  }
}

}  // namespace

bool readBitmapPicture(const std::string& path, int maxWidth, int maxHeight,
                       PreviewPicture& picture) {
  picture = PreviewPicture();
  // The file is checked as an image entry would be before the reader makes
  // a surface of the size its header declares.
  std::vector<uint8_t> bytes;
  if (readRegularFile(path, kMaxPictureFileBytes, bytes) != FileRead::Done) return false;
  uint32_t size = static_cast<uint32_t>(bytes.size());
  if (imageFormatOf(bytes.data(), size) != ImageFormat::Bmp ||
      !imageSafeToDecode(bytes.data(), size, kLargestImageSide)) {
    return false;
  }
  SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(size));
  if (stream == nullptr) return false;
  SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);  // closes the stream
  if (surface == nullptr) return false;
  bool locked = !SDL_MUSTLOCK(surface) || SDL_LockSurface(surface) == 0;
  if (locked && surface->pixels != nullptr) {
    copyPixels(surface, std::clamp(surface->w, 0, std::max(maxWidth, 0)),
               std::clamp(surface->h, 0, std::max(maxHeight, 0)), picture);
  }
  if (locked && SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  SDL_FreeSurface(surface);
  return locked;
}

PreviewPicture previewPictureFor(int windowWidth, int windowHeight,
                                 const std::string& picturePath) {
  PreviewPicture picture;
  if (windowWidth != kPreviewPictureWidth) return picture;
  if (!readBitmapPicture(picturePath, windowWidth, windowHeight, picture)) picture = {};
  return picture;
}
