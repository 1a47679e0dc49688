#pragma once
#include <cstdint>
#include <string>

struct SDL_Surface;

// Start-up help: an archive's PNG entries are decoded on a second thread
// while the main thread brings up the window and its GL context, and
// uploadImageTexture takes each picture from here instead of decoding it
// again. Only decoding happens on the second thread; every GL call stays on
// the thread that owns the context. The pictures are the ones the main
// thread would have decoded, so the textures are the same.

// Opens `archiveName` through the archive cache (holding one use of it
// until endImagePrefetch) and starts decoding its PNG entries in archive
// order. Ignored while a prefetch is running.
void startImagePrefetch(const std::string& archiveName);

// True when the prefetch has the entry whose bytes start at `bytes`; then
// `*image` is its decoded picture (the caller owns it) or nullptr when it is
// no decodable image. Waits while the second thread decodes that entry and
// decodes it here when the thread has not reached it yet. False for any
// other entry, or when no prefetch runs.
bool takePrefetchedImage(const uint8_t* bytes, SDL_Surface** image);

// Stops the second thread after the picture it is decoding, frees the
// pictures nobody took, ends the prefetch's use of its archive and gives
// the heap the decoding left free back to the system. Safe to
// call at any time, also more than once.
void endImagePrefetch();
