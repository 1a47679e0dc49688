#pragma once
#include <cstdint>

// Image entries are decoded only in the formats the archives and their
// authors use: PNG (every layout: RGBA, RGB, grey, paletted, with or without
// a transparent colour), GIF (paletted, with a transparent index) and the
// Windows bitmap, BMP (uncompressed 1, 4, 8, 16, 24 or 32 bits per pixel).
// Anything else is never handed to the image decoder: its other readers
// (XPM, PNM, PCX, TGA, ...) spin, crash or copy for seconds on a few bytes
// of damage, and no archive of ours needs them.
//
// Before any bytes reach the decoder their structure is checked here, from
// the same leading bytes the decoder looks at. The decoders trust their
// inputs more than they should: PNG and GIF readers loop for ever on a
// chunk or block that claims more bytes than there are; the GIF reader
// draws into a surface that SDL did not make for an image 16384 or more
// pixels wide or an empty one, past its code table for an LZW code size
// beyond 12 bits, and on past the end for an empty graphic control block; the BMP reader overruns its palette when
// told of more colours than the pixel size allows; and all of them make a
// surface of whatever size the header declares, so a few bytes can ask for
// gigabytes.

enum class ImageFormat { Unknown, Png, Gif, Bmp };

// The format the leading bytes announce; Unknown for every other format.
ImageFormat imageFormatOf(const uint8_t* bytes, uint32_t size);

// Sides of the largest picture an image declares, in pixels.
struct ImageSides {
  uint32_t width = 0;
  uint32_t height = 0;
};

// True when the bytes are a PNG, GIF or BMP whose structure holds together
// and whose declared pictures are at least 1 x 1 with no side longer than
// `largestSide`:
// - PNG: the IHDR chunk first, every chunk inside the bytes up to IEND;
// - GIF: every block inside the bytes up to the trailer, every image
//   narrower than 16384 pixels, with an LZW code size of 2 to 8 bits, every
//   graphic control extension of its 4 bytes;
// - BMP: a known header, an uncompressed (or bit-field) layout, no more
//   palette colours than the pixel size can index, and all pixel rows
//   inside the bytes.
// With `declared`, gives the declared width and height (for GIF, the
// largest of its images' widths and heights).
bool imageSafeToDecode(const uint8_t* bytes, uint32_t size, uint32_t largestSide,
                       ImageSides* declared = nullptr);
