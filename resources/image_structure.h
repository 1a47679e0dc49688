#pragma once
#include <cstdint>

// The image decoder's PNG and GIF readers ignore short reads: a chunk or
// data block that claims more bytes than the entry holds sends them round a
// loop for ever. The GIF reader also draws into an image surface without
// checking that SDL made it with pixels, which it does not for an image
// 16384 or more pixels wide, nor for an empty one. And both readers make a
// surface of whatever size the header declares, so a few damaged bytes can
// ask for gigabytes. Before any bytes reach the decoder they are checked here.
//
// True when the bytes are a PNG whose header declares no side longer than
// `largestSide` and whose chunks all lie inside them up to IEND; a GIF whose
// blocks all lie inside them up to the trailer and whose images are all at
// least 1 x 1, narrower than 16384 pixels and no side longer than
// `largestSide`; or anything else (left to the decoder, whose other readers
// stop at the end of the data). Formats are recognised by the same leading
// bytes the decoder looks at.
bool imageSafeToDecode(const uint8_t* bytes, uint32_t size, uint32_t largestSide);
