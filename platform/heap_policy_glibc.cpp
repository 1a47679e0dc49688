#include "platform/heap_policy.h"

#include <malloc.h>

namespace {

// Decoded pictures (up to 4 MiB each), the archives read whole, the
// driver's copies of the textures and its colour and depth buffers are all
// above this; nothing the saver or the driver allocates frame after frame
// is.
constexpr int kOwnMappingBytes = 1 << 20;

}  // namespace

// Blocks of a MiB and more get mappings of their own, unmapped when freed.
// Left alone, glibc raises that threshold to the size of each such block
// freed (up to 32 MiB): from then on decoded pictures and textures come
// from the heap, whose freed holes stay resident until a malloc_trim, and
// whose free top may keep twice the threshold. A fixed threshold also
// fixes the top's limit; at a MiB, the heap's top does not shrink and grow
// again every frame.
void returnLargeBlocksToSystem() {
  mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
  mallopt(M_TRIM_THRESHOLD, kOwnMappingBytes);
}
