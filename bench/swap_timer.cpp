// A preload library that times the saver on screen. Every buffer swap is
// split in two: glFinish first (the rasteriser finishing the frame), then the
// real swap (multisample resolve and the copy to the window). After
// HALVENRODE_SWAP_SKIP swaps (default 30) it records HALVENRODE_SWAP_FRAMES
// more (default 300), then writes to HALVENRODE_SWAP_OUT (default standard
// error) the renderer, its sample count, the private resident memory and
// one line per frame, "interval finish swap" in milliseconds, and ends the
// process with status 0.
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr unsigned kRenderer = 0x1F01;       // GL_RENDERER
constexpr unsigned kSampleBuffers = 0x80A8;  // GL_SAMPLE_BUFFERS
constexpr unsigned kSamples = 0x80A9;        // GL_SAMPLES

struct Frame {
  double interval, finish, swap;
};

double nowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

long envNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

template <typename F>
F glFunction(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

long rssAnonKb() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, "RssAnon:", 8) == 0) kb = std::strtol(line + 8, nullptr, 10);
  }
  std::fclose(status);
  return kb;
}

[[noreturn]] void report(const std::vector<Frame>& frames) {
  const char* path = std::getenv("HALVENRODE_SWAP_OUT");
  std::FILE* out = path != nullptr ? std::fopen(path, "w") : stderr;
  if (out == nullptr) _exit(3);
  auto getString = glFunction<const unsigned char* (*)(unsigned)>("glGetString");
  auto getInteger = glFunction<void (*)(unsigned, int*)>("glGetIntegerv");
  int sampleBuffers = 0, samples = 0;
  getInteger(kSampleBuffers, &sampleBuffers);
  getInteger(kSamples, &samples);
  const unsigned char* renderer = getString(kRenderer);
  std::fprintf(out, "renderer %s\nsamples %d\nrss_anon_kb %ld\n",
               renderer != nullptr ? reinterpret_cast<const char*>(renderer) : "unknown",
               sampleBuffers != 0 ? samples : 0, rssAnonKb());
  for (const Frame& f : frames) std::fprintf(out, "%.3f %.3f %.3f\n", f.interval, f.finish, f.swap);
  std::fflush(out);
  _exit(0);
}

}  // namespace

extern "C" void SDL_GL_SwapBuffers(void) {
  static auto real = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
  static auto finish = glFunction<void (*)()>("glFinish");
  static const long skip = envNumber("HALVENRODE_SWAP_SKIP", 30);
  static const long wanted = envNumber("HALVENRODE_SWAP_FRAMES", 300);
  static std::vector<Frame> frames;
  static long swaps = 0;
  static double lastEnd = 0;
  if (real == nullptr || finish == nullptr) _exit(3);
  double start = nowMs();
  finish();
  double finished = nowMs();
  real();
  double end = nowMs();
  if (swaps++ >= skip) frames.push_back({end - lastEnd, finished - start, end - finished});
  lastEnd = end;
  if (static_cast<long>(frames.size()) >= wanted) report(frames);
}
