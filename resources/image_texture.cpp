#include "resources/image_texture.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <climits>
#include <unordered_map>

#include "resources/image_prefetch.h"
#include "resources/image_structure.h"

namespace {

// Decoded bytes (4 per pixel) of every image texture alive, by texture name.
std::unordered_map<uint32_t, uint64_t> liveImageBytes;
uint64_t liveImageTotal = 0;
uint64_t imageBudget = kDecodedImageBudget;

constexpr uint64_t kBytesPerPixel = 4;

uint64_t rgbaBytes(uint64_t width, uint64_t height) { return width * height * kBytesPerPixel; }

void countImageTexture(uint32_t texture, uint64_t bytes) {
  auto known = liveImageBytes.find(texture);
  // A name reused after its context went away: the old texture is gone.
  if (known != liveImageBytes.end()) liveImageTotal -= known->second;
  liveImageBytes[texture] = bytes;
  liveImageTotal += bytes;
}

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

SDL_Surface* createPackedRgba(int width, int height) {
  SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, kRedMask, kGreenMask,
                                           kBlueMask, kAlphaMask);
  if (rgba != nullptr && !isPackedRgba(rgba)) {
    SDL_FreeSurface(rgba);
    return nullptr;
  }
  return rgba;
}

// Byte position (0 to 2) of a channel in a 24-bit pixel, or -1 when the
// mask is not one whole byte there.
int byteOf(Uint32 mask) {
  for (int at = 0; at < 3; ++at) {
    if (mask == (Uint32{0xFF} << (8 * at))) return at;
  }
  return -1;
}

// The archives' photographs are 24-bit RGB. SDL's general converter takes
// about forty instructions a pixel for them, a fifth of the saver's start;
// this loop does the same conversion (opaque alpha) directly. Null when the
// surface is not plain 24-bit with one byte per channel.
SDL_Surface* expandRgbToRgba(SDL_Surface* surface) {
  const SDL_PixelFormat* format = surface->format;
  if (SDL_BYTEORDER != SDL_LIL_ENDIAN || format->BytesPerPixel != 3 || format->Amask != 0) {
    return nullptr;
  }
  int red = byteOf(format->Rmask), green = byteOf(format->Gmask), blue = byteOf(format->Bmask);
  if (red < 0 || green < 0 || blue < 0 || red == green || red == blue || green == blue) {
    return nullptr;
  }
  SDL_Surface* rgba = createPackedRgba(surface->w, surface->h);
  if (rgba == nullptr) return nullptr;
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  for (int y = 0; y < surface->h; ++y) {
    const Uint8* from = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint8* to = static_cast<Uint8*>(rgba->pixels) + y * rgba->pitch;
    for (int x = 0; x < surface->w; ++x, from += 3, to += 4) {
      to[0] = from[red];
      to[1] = from[green];
      to[2] = from[blue];
      to[3] = SDL_ALPHA_OPAQUE;
    }
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  return rgba;
}

// A copy of `surface` in packed RGBA through SDL's general converter, with
// every pixel opaque unless the source carries its own alpha.
SDL_Surface* convertWithSdl(SDL_Surface* surface) {
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

// The pixels a colour key leaves out (a GIF's transparent index, the one
// transparent entry or colour of a PNG) become alpha 0 in `rgba`, keeping
// their colour. SDL's keyed blit copies every other pixel onto a cleared
// surface, which marks the left-out ones exactly for any source layout.
void clearKeyedPixels(SDL_Surface* source, Uint32 key, SDL_Surface* rgba) {
  SDL_Surface* copied = createPackedRgba(source->w, source->h);
  if (copied == nullptr) return;
  SDL_FillRect(copied, nullptr, 0);
  SDL_SetAlpha(source, 0, SDL_ALPHA_OPAQUE);
  SDL_SetColorKey(source, SDL_SRCCOLORKEY, key);
  SDL_BlitSurface(source, nullptr, copied, nullptr);
  SDL_SetColorKey(source, 0, 0);
  const Uint32* marks = static_cast<const Uint32*>(copied->pixels);
  Uint32* pixels = static_cast<Uint32*>(rgba->pixels);
  for (size_t i = 0, count = size_t(rgba->w) * size_t(rgba->h); i < count; ++i) {
    if ((marks[i] & kAlphaMask) == 0) pixels[i] &= ~kAlphaMask;
  }
  SDL_FreeSurface(copied);
}

// A copy of `surface` in packed RGBA. Sources without an alpha channel come
// out opaque but for the pixels their colour key leaves out.
SDL_Surface* convertToRgba(SDL_Surface* surface) {
  const bool keyed = (surface->flags & SDL_SRCCOLORKEY) != 0;
  const Uint32 key = surface->format->colorkey;
  SDL_Surface* rgba = expandRgbToRgba(surface);
  if (rgba == nullptr) rgba = convertWithSdl(surface);
  if (rgba != nullptr && keyed) clearKeyedPixels(surface, key, rgba);
  return rgba;
}

// SDL's converter reads a paletted surface's colours without checking that
// it has any; a damaged file can decode to a surface whose palette is
// missing or empty, or to a pixel size no converter handles.
bool hasConvertibleFormat(const SDL_Surface* surface) {
  const SDL_PixelFormat* format = surface->format;
  if (format == nullptr) return false;
  switch (format->BitsPerPixel) {
    case 1:
    case 2:
    case 4:
    case 8:
      return format->palette != nullptr && format->palette->colors != nullptr &&
             format->palette->ncolors > 0;
    case 15:
    case 16:
    case 24:
    case 32:
      return format->BytesPerPixel * 8 >= format->BitsPerPixel;
    default:
      return false;
  }
}

// Only the reader of the format the signature announced sees the bytes;
// the decoder's own guessing would try all of its readers in turn.
SDL_Surface* decodeChecked(ImageFormat format, SDL_RWops* stream) {
  switch (format) {
    case ImageFormat::Png: return IMG_LoadPNG_RW(stream);
    case ImageFormat::Gif: return IMG_LoadGIF_RW(stream);
    case ImageFormat::Bmp: return IMG_LoadBMP_RW(stream);
    case ImageFormat::Unknown: break;
  }
  return nullptr;
}

}  // namespace

SDL_Surface* decodeImageRgba(const uint8_t* bytes, uint32_t size, uint32_t largestSide) {
  if (bytes == nullptr || size == 0 || size > static_cast<uint32_t>(INT_MAX)) return nullptr;
  if (!imageSafeToDecode(bytes, size, largestSide, nullptr)) return nullptr;
  SDL_RWops* stream = SDL_RWFromConstMem(bytes, static_cast<int>(size));
  if (stream == nullptr) return nullptr;
  SDL_Surface* decoded = decodeChecked(imageFormatOf(bytes, size), stream);
  SDL_RWclose(stream);
  if (decoded == nullptr) return nullptr;
  if (decoded->w <= 0 || decoded->h <= 0 || !hasConvertibleFormat(decoded)) {
    SDL_FreeSurface(decoded);
    return nullptr;
  }
  if (isPackedRgba(decoded)) return decoded;
  SDL_Surface* converted = convertToRgba(decoded);
  SDL_FreeSurface(decoded);
  return converted;
}

namespace {

bool fitsBudget(uint64_t width, uint64_t height) {
  return liveImageTotal <= imageBudget && rgbaBytes(width, height) <= imageBudget - liveImageTotal;
}

// Refuses, before decoding, an image that would take the decoded images
// together past their budget.
SDL_Surface* decodeWithinBudget(const uint8_t* bytes, uint32_t size, uint32_t largestSide) {
  ImageSides sides;
  if (bytes == nullptr || size == 0 || !imageSafeToDecode(bytes, size, largestSide, &sides)) {
    return nullptr;
  }
  if (!fitsBudget(sides.width, sides.height)) return nullptr;
  return decodeImageRgba(bytes, size, largestSide);
}

// A picture the start-up prefetch decoded, or else one decoded here.
SDL_Surface* decodedImage(const uint8_t* bytes, uint32_t size, uint32_t largestSide) {
  SDL_Surface* image = nullptr;
  if (!takePrefetchedImage(bytes, &image)) return decodeWithinBudget(bytes, size, largestSide);
  if (image != nullptr && !fitsBudget(static_cast<uint64_t>(image->w), static_cast<uint64_t>(image->h))) {
    SDL_FreeSurface(image);
    return nullptr;
  }
  return image;
}

// An image larger than the GL's texture limit would leave an empty texture
// and a GL error behind, and one larger than kLargestImageSide is no
// texture of ours; both count as undecodable, known from the header before
// decoding.
uint32_t textureSideLimit() {
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  if (maxSide <= 0) return 0;
  return std::min(static_cast<uint32_t>(maxSide), kLargestImageSide);
}

bool fitsTextureLimit(const SDL_Surface* image, uint32_t maxSide) {
  return static_cast<uint32_t>(image->w) <= maxSide && static_cast<uint32_t>(image->h) <= maxSide;
}

}  // namespace

uint32_t uploadImageTexture(const uint8_t* bytes, uint32_t size) {
  uint32_t maxSide = textureSideLimit();
  SDL_Surface* image = decodedImage(bytes, size, maxSide);
  if (image == nullptr) return 0;
  if (!fitsTextureLimit(image, maxSide)) {
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
  countImageTexture(texture, rgbaBytes(static_cast<uint64_t>(image->w), static_cast<uint64_t>(image->h)));
  SDL_FreeSurface(image);
  return texture;
}

void releaseImageTexture(uint32_t texture) {
  if (texture == 0) return;
  GLuint name = texture;
  glDeleteTextures(1, &name);
  auto known = liveImageBytes.find(texture);
  if (known == liveImageBytes.end()) return;
  liveImageTotal -= known->second;
  liveImageBytes.erase(known);
}

uint64_t decodedImageBytes() { return liveImageTotal; }

void setDecodedImageBudget(uint64_t bytes) { imageBudget = bytes; }
