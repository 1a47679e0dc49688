// halvenrode-bench-run: frame pacing and memory over a stretch of simulated
// time, frame by frame as the saver would draw them.
//
//   halvenrode-bench-run [--size WxH] [--seconds S] [--step MS]
//                        [--checkpoint S]...
//   halvenrode-bench-run --write-settings FILE
//
// Prints "key value" lines: the pacing summary, the slowest frames with their
// simulated times, and resident memory at each checkpoint. Run from the
// folder that holds the archives.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_scene.h"
#include "bench/frame_stats.h"
#include "bench/memory_usage.h"
#include "platform/heap_policy.h"
#include "platform/standard_streams.h"

namespace {

struct RunOptions {
  int width = 1024;
  int height = 768;
  uint32_t seconds = 120;
  uint32_t stepMs = kBenchStepMs;
  std::vector<uint32_t> checkpoints;  // seconds
};

bool parseOptions(int argc, char** argv, RunOptions& options) {
  for (int i = 1; i < argc; ++i) {
    if (i + 1 >= argc) return false;
    const char* flag = argv[i];
    const char* value = argv[++i];
    long number = std::atol(value);
    if (std::strcmp(flag, "--size") == 0) {
      if (std::sscanf(value, "%dx%d", &options.width, &options.height) != 2 ||
          options.width <= 0 || options.height <= 0 || options.width > 8192 ||
          options.height > 8192) {
        return false;
      }
    } else if (std::strcmp(flag, "--seconds") == 0 && number > 0 && number < 86400) {
      options.seconds = static_cast<uint32_t>(number);
    } else if (std::strcmp(flag, "--step") == 0 && number > 0 && number <= 10000) {
      options.stepMs = static_cast<uint32_t>(number);
    } else if (std::strcmp(flag, "--checkpoint") == 0 && number > 0 && number < 86400) {
      options.checkpoints.push_back(static_cast<uint32_t>(number));
    } else {
      return false;
    }
  }
  return true;
}

struct TimedFrame {
  uint32_t simulatedMs;
  double wallMs;
};

// The private part of resident memory has no peak figure of its own: it is
// sampled once per simulated second.
long peakPrivateKb = 0;

void samplePrivateMemory() {
  long now = readMemoryUsage().privateKb;
  if (now > peakPrivateKb) peakPrivateKb = now;
}

void reportCheckpoint(uint32_t second) {
  MemoryUsage memory = readMemoryUsage();
  SceneCounts counts = countScene();
  std::printf("rss_kb_at_%u %ld\n", second, memory.residentKb);
  std::printf("peak_rss_kb_at_%u %ld\n", second, memory.peakResidentKb);
  std::printf("private_kb_at_%u %ld\n", second, memory.privateKb);
  std::printf("peak_private_kb_at_%u %ld\n", second, std::max(peakPrivateKb, memory.privateKb));
  std::printf("smoke_at_%u %d\n", second, counts.smokeSprites);
  std::printf("nodes_at_%u %d\n", second, counts.nodes);
  std::fflush(stdout);
}

void reportPacing(const std::vector<TimedFrame>& frames) {
  std::vector<double> wall;
  for (const TimedFrame& frame : frames) wall.push_back(frame.wallMs);
  FramePacing pacing = summarisePacing(wall);
  std::printf("frames %zu\nmedian_ms %.3f\np99_ms %.3f\nworst_ms %.3f\n", pacing.frames,
              pacing.median, pacing.p99, pacing.worst);
  std::printf("worst_after_first_ms %.3f\nslow_after_first %zu\n", pacing.worstAfterFirst,
              pacing.slowAfterFirst);
  std::vector<TimedFrame> slowest(frames.begin() + (frames.empty() ? 0 : 1), frames.end());
  std::sort(slowest.begin(), slowest.end(),
            [](const TimedFrame& a, const TimedFrame& b) { return a.wallMs > b.wallMs; });
  for (size_t i = 0; i < slowest.size() && i < 5; ++i) {
    std::printf("slow_frame %u %.3f\n", slowest[i].simulatedMs, slowest[i].wallMs);
  }
}

}  // namespace

int main(int argc, char** argv) {
  fillClosedStandardStreams();
  // The benchmarks' settings, for scripts that run the saver itself.
  if (argc == 3 && std::strcmp(argv[1], "--write-settings") == 0) {
    return writeAllOverlaysSettings(argv[2]) ? 0 : 1;
  }
  RunOptions options;
  if (!parseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: halvenrode-bench-run [--size WxH] [--seconds S] [--step MS] "
                 "[--checkpoint S]...\n");
    return 2;
  }
  // The saver's heap policy, so that memory is measured as the saver uses it.
  returnLargeBlocksToSystem();
  std::string settingsPath = temporarySettingsPath();
  if (!writeAllOverlaysSettings(settingsPath)) return 1;
  OffscreenSaver saver(benchSaverOptions(options.width, options.height, settingsPath));
  std::remove(settingsPath.c_str());
  if (!saver.ok()) {
    std::fprintf(stderr, "halvenrode-bench-run: no offscreen OpenGL context\n");
    return 1;
  }
  std::vector<TimedFrame> frames;
  const uint32_t endMs = options.seconds * 1000;
  size_t nextCheckpoint = 0;
  std::sort(options.checkpoints.begin(), options.checkpoints.end());
  for (uint32_t t = options.stepMs; t <= endMs; t += options.stepMs) {
    auto start = std::chrono::steady_clock::now();
    saver.frame(t);
    glFinish();
    std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    frames.push_back({t, spent.count()});
    if (t / 1000 != (t - options.stepMs) / 1000) samplePrivateMemory();
    while (nextCheckpoint < options.checkpoints.size() &&
           options.checkpoints[nextCheckpoint] * 1000 <= t) {
      reportCheckpoint(options.checkpoints[nextCheckpoint++]);
    }
  }
  reportPacing(frames);
  // Mesa's no-op driver can crash while the context is destroyed; the
  // figures are out before that.
  return finishStandardOutput("halvenrode-bench-run", 0);
}
