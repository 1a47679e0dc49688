#pragma once
#include <cstdint>

// Image entries become 2D RGBA textures, one level, linear filtering,
// modulated by the lit colour; the first image row becomes texture row
// t = 0. Images in other layouts (RGB, paletted, grey) are converted to RGBA
// first.

// No side of an image texture is longer than this, whatever the GL allows:
// a 4096 x 4096 texture already takes 64 MiB decoded.
constexpr uint32_t kLargestImageSide = 4096;

// All image textures alive at once may take this many decoded bytes
// together (4 per pixel): some ten times what the archives' images need.
// An image that would go past it is refused before it is decoded.
constexpr uint64_t kDecodedImageBudget = uint64_t{256} << 20;

struct SDL_Surface;

// Decodes an image file held in memory to packed RGBA (32 bits a pixel,
// red first, rows without gaps), or nullptr when it is no decodable image
// with sides up to `largestSide` (see imageSafeToDecode). Makes no GL call
// and touches no shared state, so any thread may use it once SDL_image's
// PNG reader is set up.
SDL_Surface* decodeImageRgba(const uint8_t* bytes, uint32_t size, uint32_t largestSide);

// Decodes an image file held in memory and uploads it. Returns the new
// texture name, left bound, or 0 when the bytes are not a decodable image:
// a format other than PNG, GIF or BMP, a damaged one (see
// imageSafeToDecode), a side longer than kLargestImageSide or the GL's
// texture limit, or a picture that does not fit in what is left of the
// budget.
uint32_t uploadImageTexture(const uint8_t* bytes, uint32_t size);

// Deletes a texture made by uploadImageTexture and gives its bytes back to
// the budget. 0 is ignored.
void releaseImageTexture(uint32_t texture);

// Decoded bytes of the image textures alive now.
uint64_t decodedImageBytes();

// Replaces kDecodedImageBudget (the saver keeps it; tests use small ones).
void setDecodedImageBudget(uint64_t bytes);
