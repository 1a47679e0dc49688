#include "resources/image_texture.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>
#include <climits>

#include "resources/image_structure.h"

namespace {

// Masks of a 32-bit pixel whose bytes lie in memory as red, green, blue,
// alpha: the layout glTexImage2D reads as GL_RGBA / GL_UNSIGNED_BYTE.
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
constexpr Uint32 kRedMask = 0xFF000000, kGreenMask = 0x00FF0000;
constexpr Uint32 kBlueMask = 0x0000FF00, kAlphaMask = 0x000000FF;
#else
constexpr Uint32 kRedMask = 0x000000FF, kGreenMask = 0x0000FF00;
constexpr Uint32 kBlueMask = 0x00FF0000, kAlphaMask = 0xFF000000;
#endif

bool isPackedRgba(const SDL_Surface* surface) {
  const SDL_PixelFormat* format = surface->format;
  return format->BytesPerPixel == 4 && format->Rmask == kRedMask &&
         format->Gmask == kGreenMask && format->Bmask == kBlueMask &&
         format->Amask == kAlphaMask && surface->pitch == surface->w * 4;
}

// A copy of `surface` in packed RGBA. Sources without an alpha channel come
// out opaque.
SDL_Surface* convertToRgba(SDL_Surface* surface) {
  SDL_PixelFormat format = {};
  format.BitsPerPixel = 32;
  format.BytesPerPixel = 4;
  format.Rmask = kRedMask;
  format.Gmask = kGreenMask;
  format.Bmask = kBlueMask;
  format.Amask = kAlphaMask;
  format.Rshift = __builtin_ctz(kRedMask);
  format.Gshift = __builtin_ctz(kGreenMask);
  format.Bshift = __builtin_ctz(kBlueMask);
  format.Ashift = __builtin_ctz(kAlphaMask);
  format.alpha = SDL_ALPHA_OPAQUE;
  // A per-surface alpha or colour key on the source would otherwise be
  // applied while converting; the texture keeps the source's own pixels.
  SDL_SetAlpha(surface, 0, SDL_ALPHA_OPAQUE);
  SDL_SetColorKey(surface, 0, 0);
  SDL_Surface* converted = SDL_ConvertSurface(surface, &format, SDL_SWSURFACE);
  if (converted != nullptr && !isPackedRgba(converted)) {
    SDL_FreeSurface(converted);
    return nullptr;
  }
  return converted;
}

SDL_Surface* decodeRgba(const uint8_t* bytes, uint32_t size) {
  if (bytes == nullptr || size == 0 || size > static_cast<uint32_t>(INT_MAX)) return nullptr;
  if (!imageStructureComplete(bytes, size)) return nullptr;
  SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(size));
  if (stream == nullptr) return nullptr;
  SDL_Surface* decoded = IMG_Load_RW(stream, 1);  // 1: closes the stream
  if (decoded == nullptr) return nullptr;
  if (decoded->w <= 0 || decoded->h <= 0) {
    SDL_FreeSurface(decoded);
    return nullptr;
  }
  if (isPackedRgba(decoded)) return decoded;
  SDL_Surface* converted = convertToRgba(decoded);
  SDL_FreeSurface(decoded);
  return converted;
}

// An image larger than the GL's texture limit would leave an empty texture
// and a GL error behind; it counts as undecodable instead.
bool fitsTextureLimit(const SDL_Surface* image) {
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  return image->w <= maxSide && image->h <= maxSide;
}

}  // namespace

uint32_t uploadImageTexture(const uint8_t* bytes, uint32_t size) {
  SDL_Surface* image = decodeRgba(bytes, size);
  if (image == nullptr) return 0;
  if (!fitsTextureLimit(image)) {
    SDL_FreeSurface(image);
    return 0;
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  if (SDL_MUSTLOCK(image)) SDL_LockSurface(image);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image->w, image->h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               image->pixels);
  if (SDL_MUSTLOCK(image)) SDL_UnlockSurface(image);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  SDL_FreeSurface(image);
  return texture;
}
