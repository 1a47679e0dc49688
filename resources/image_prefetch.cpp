#include "resources/image_prefetch.h"

#include <malloc.h>

#include <SDL.h>
#include <SDL_image.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "resources/image_structure.h"
#include "resources/image_texture.h"
#include "resources/pak_cache.h"

namespace {

enum class Stage { Waiting, Decoding, Decoded, Taken };

struct Picture {
  const uint8_t* bytes = nullptr;
  uint32_t size = 0;
  Stage stage = Stage::Waiting;
  SDL_Surface* image = nullptr;
};

struct Prefetch {
  std::mutex lock;
  std::condition_variable decoded;
  std::vector<Picture> pictures;
  bool stopping = false;
  std::thread worker;
  std::string archiveName;
};

// Never destroyed: a process ending through exit() must not meet a joinable
// thread in a static destructor. endImagePrefetch runs at exit instead,
// before the archives it reads from are freed.
Prefetch* running = nullptr;

// Decoded bytes the second thread may hold at once; beyond them it stops
// and the main thread decodes the rest as it needs them.
constexpr uint64_t kPrefetchBudget = kDecodedImageBudget;

Picture* findPicture(Prefetch& prefetch, const uint8_t* bytes) {
  for (Picture& picture : prefetch.pictures) {
    if (picture.bytes == bytes) return &picture;
  }
  return nullptr;
}

void decodeAll(Prefetch* prefetch) {
  uint64_t held = 0;
  std::unique_lock<std::mutex> hold(prefetch->lock);
  for (Picture& picture : prefetch->pictures) {
    if (prefetch->stopping || held > kPrefetchBudget) break;
    if (picture.stage != Stage::Waiting) continue;
    picture.stage = Stage::Decoding;
    hold.unlock();
    SDL_Surface* image = decodeImageRgba(picture.bytes, picture.size, kLargestImageSide);
    hold.lock();
    if (image != nullptr) held += uint64_t{4} * image->w * image->h;
    picture.image = image;
    picture.stage = Stage::Decoded;
    prefetch->decoded.notify_all();
  }
  // Pictures the thread gave up on are the main thread's to decode.
  for (Picture& picture : prefetch->pictures) {
    if (picture.stage == Stage::Waiting) picture.stage = Stage::Taken;
  }
  prefetch->decoded.notify_all();
}

}  // namespace

void startImagePrefetch(const std::string& archiveName) {
  if (running != nullptr) return;
  static bool endsAtExit = std::atexit(endImagePrefetch) == 0;
  if (!endsAtExit) return;
  // SDL_image sets up its PNG reader on first use; done here, before a
  // second thread can use it.
  if ((IMG_Init(IMG_INIT_PNG) & IMG_INIT_PNG) == 0) return;
  // A second thread would get an allocation arena of its own, whose freed
  // top the allocator never gives back: the pictures decoded there would
  // leave some 12 MB resident for the whole run. With one arena for all
  // threads, the trim after the first frame returns them.
  mallopt(M_ARENA_MAX, 1);
  const PakArchive& archive = *pakCache.acquireArchive(archiveName);
  auto* prefetch = new Prefetch();
  prefetch->archiveName = archiveName;
  for (size_t i = 0; i < archive.entryCount(); ++i) {
    const uint8_t* bytes = archive.entryData(i);
    uint32_t size = archive.entrySize(i);
    if (imageFormatOf(bytes, size) != ImageFormat::Png) continue;
    // An entry that repeats another's bytes is another texture slot all
    // the same; only the first is prefetched.
    if (findPicture(*prefetch, bytes) == nullptr) prefetch->pictures.push_back({bytes, size});
  }
  prefetch->worker = std::thread(decodeAll, prefetch);
  running = prefetch;
}

bool takePrefetchedImage(const uint8_t* bytes, SDL_Surface** image) {
  if (running == nullptr) return false;
  std::unique_lock<std::mutex> hold(running->lock);
  Picture* picture = findPicture(*running, bytes);
  if (picture == nullptr || picture->stage == Stage::Taken) return false;
  if (picture->stage == Stage::Waiting) {
    // Not reached yet: decoded here, while the thread works on another.
    picture->stage = Stage::Taken;
    hold.unlock();
    *image = decodeImageRgba(picture->bytes, picture->size, kLargestImageSide);
    return true;
  }
  running->decoded.wait(hold, [picture] { return picture->stage == Stage::Decoded; });
  picture->stage = Stage::Taken;
  *image = picture->image;
  picture->image = nullptr;
  return true;
}

void endImagePrefetch() {
  Prefetch* prefetch = running;
  if (prefetch == nullptr) return;
  {
    std::lock_guard<std::mutex> hold(prefetch->lock);
    prefetch->stopping = true;
  }
  prefetch->worker.join();
  for (Picture& picture : prefetch->pictures) {
    if (picture.image != nullptr) SDL_FreeSurface(picture.image);
  }
  running = nullptr;
  pakCache.releaseArchive(prefetch->archiveName);
  delete prefetch;
  // Give back the heap the decoded pictures, freed after their upload,
  // left free.
  malloc_trim(0);
}
