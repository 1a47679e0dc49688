#pragma once
#include <cstdint>

// Decodes an image file held in memory (any format the image decoder knows)
// and uploads it as a 2D RGBA texture, one level, linear filtering, modulated
// by the lit colour. The first image row becomes texture row t = 0. Images in
// other layouts (RGB, paletted, grey) are converted to RGBA first. Returns the
// new texture name, left bound, or 0 when the bytes are not a decodable image
// (a PNG or GIF cut short, a GIF frame with no pixels or 16384 or more
// pixels wide, or an image wider or taller than the GL's texture limit, counts
// as not decodable).
uint32_t uploadImageTexture(const uint8_t* bytes, uint32_t size);
