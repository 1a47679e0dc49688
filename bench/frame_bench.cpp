// halvenrode-bench-frame: the cost of one steady-state frame, the saver's
// own frame code against a raw replay of the same frame's OpenGL calls,
// measured side by side in one process.
//
//   halvenrode-bench-frame [--size WxH] [--frames-per-run N] [--draw-costs]
//                          [--at MS] [SAVER OPTION...] [benchmark flags]
//
// Run from the folder that holds the archives. Set GALLIUM_NOOP=1 to time
// the CPU side alone (Mesa's no-op driver draws nothing). The saver's own
// options (--time-of-day, --snow=heavy, ...) measure what they cost.
// --draw-costs prints instead what each draw of the steady frame costs the
// rasteriser (median of N replays, one line per draw), with the model entry
// and mesh it draws and where the node's origin lies in eye space; --at
// takes that frame at another simulated time than the steady state's.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "bench/bench_scene.h"
#include "bench/frame_capture.h"
#include "platform/standard_streams.h"

namespace {

struct FrameBenchOptions {
  int width = 1024;
  int height = 768;
  int framesPerRun = 20;
  bool drawCosts = false;
  uint32_t atMs = kSteadyStateMs;
  SettingOverrides overrides;
};

// Past this simulated time the next terrain piece is built, which is not a
// steady-state frame.
constexpr uint32_t kSteadyWindowEndMs = 79000;

// Takes this program's own flags out of argv, leaving the benchmark's.
bool takeOwnFlags(int& argc, char** argv, FrameBenchOptions& options) {
  int kept = 1;
  std::string problem;
  for (int i = 1; i < argc; ++i) {
    bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--size") == 0 && hasValue) {
      if (std::sscanf(argv[++i], "%dx%d", &options.width, &options.height) != 2 ||
          options.width <= 0 || options.height <= 0 || options.width > 8192 ||
          options.height > 8192) {
        return false;
      }
    } else if (std::strcmp(argv[i], "--frames-per-run") == 0 && hasValue) {
      options.framesPerRun = std::atoi(argv[++i]);
      if (options.framesPerRun < 1) return false;
    } else if (std::strcmp(argv[i], "--draw-costs") == 0) {
      options.drawCosts = true;
    } else if (std::strcmp(argv[i], "--at") == 0 && hasValue) {
      long at = std::atol(argv[++i]);
      if (at < 1000 || at > 3600000) return false;
      options.atMs = static_cast<uint32_t>(at);
    } else if (int taken = readSettingOption(std::vector<std::string>(argv + i, argv + argc), 0,
                                             options.overrides, problem)) {
      if (taken < 0) return false;
      i += taken - 1;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  return true;
}

// Both benchmarks share one saver: the full frames move simulated time on,
// the replays repeat the frame captured just before their run.
struct FrameBench {
  OffscreenSaver* saver = nullptr;
  uint32_t timeMs = 0;
  CapturedFrame captured;
  SceneCounts counts;
};

void setCounters(benchmark::State& state, const FrameBench& bench) {
  state.counters["draws"] = static_cast<double>(bench.captured.draws.size());
  state.counters["vertices"] = static_cast<double>(bench.captured.vertexCount());
  state.counters["uploads"] = static_cast<double>(bench.captured.uploads.size());
  state.counters["smoke"] = bench.counts.smokeSprites;
  state.counters["nodes"] = bench.counts.nodes;
}

// CPU time of the whole process, llvmpipe's rasteriser threads included, in
// milliseconds: on a shared machine it varies less than the wall time.
double processCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void fullFrame(benchmark::State& state, FrameBench* bench) {
  double cpuStart = processCpuMs();
  for (auto _ : state) {
    bench->timeMs += kBenchStepMs;
    bench->saver->frame(bench->timeMs);
    glFinish();
  }
  state.counters["process_cpu_ms"] =
      (processCpuMs() - cpuStart) / static_cast<double>(state.iterations());
  if (bench->timeMs > kSteadyWindowEndMs) state.SkipWithError("ran past the steady state");
  setCounters(state, *bench);
}

// Draws one frame of the saver with the recorder on; not timed.
void captureFrame(FrameBench& bench) {
  bench.timeMs += kBenchStepMs;
  beginFrameCapture(bench.captured);
  bench.saver->frame(bench.timeMs);
  endFrameCapture();
  glFinish();
  bench.counts = countScene();
}

// Each run replays the frame the saver has just drawn: the full frames move
// simulated time on, and the scene's cost for the rasteriser drifts with it
// (a terrain piece sliding into view), so a replay of one fixed frame would
// be measured against different pictures.
void rawDraw(benchmark::State& state, FrameBench* bench) {
  captureFrame(*bench);
  double cpuStart = processCpuMs();
  for (auto _ : state) {
    replayFrame(bench->captured);
    glFinish();
  }
  // Every run needs the same counters, or the CSV report refuses the run.
  state.counters["process_cpu_ms"] =
      (processCpuMs() - cpuStart) / static_cast<double>(state.iterations());
  setCounters(state, *bench);
}

// Warms the scene up to the steady state with long steps (the scene's
// content follows simulated time, not the frame count), then at display
// rate for the last second.
void prepare(FrameBench& bench, uint32_t atMs) {
  uint32_t t = runFrames(*bench.saver, 0, atMs - 1000, 250);
  bench.timeMs = runFrames(*bench.saver, t, atMs, kBenchStepMs);
  captureFrame(bench);
}

double nowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Where the rasteriser's time goes: the captured frame replayed with the
// pipeline drained after every draw, so each draw's time is its own work
// (plus a flush). Prints one line per draw, the median of `repetitions`.
void printDrawCosts(const CapturedFrame& frame, int repetitions) {
  std::vector<std::vector<double>> costs(frame.draws.size());
  for (int r = 0; r < repetitions; ++r) {
    glFinish();
    double last = nowMs();
    ReplayHooks timing;
    timing.after = [&](size_t index) {
      glFinish();
      double now = nowMs();
      costs[index].push_back(now - last);
      last = now;
    };
    replayFrame(frame, timing);
  }
  // Fragments that pass the depth test, each draw counted in a replay of
  // its own (the count is exact, unlike the times).
  std::vector<GLuint> fragments(frame.draws.size(), 0);
  GLuint query = 0;
  glGenQueries(1, &query);
  ReplayHooks counting;
  counting.before = [&](size_t) { glBeginQuery(GL_SAMPLES_PASSED, query); };
  counting.after = [&](size_t index) {
    glEndQuery(GL_SAMPLES_PASSED);
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &fragments[index]);
  };
  replayFrame(frame, counting);
  glDeleteQueries(1, &query);
  std::printf("draw\tms\tfragments\ttexture\twidth\theight\tvertices\tblend\talpha_test\tdepth_mask\tmesh\teye_x\teye_y\teye_z\n");
  for (size_t i = 0; i < frame.draws.size(); ++i) {
    const CapturedDraw& draw = frame.draws[i];
    std::vector<double>& c = costs[i];
    std::sort(c.begin(), c.end());
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, draw.state.texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    const GLfloat* m = draw.state.modelview;
    std::printf("%zu\t%.3f\t%u\t%u\t%d\t%d\t%d\t%d\t%d\t%d\t%s\t%.1f\t%.1f\t%.1f\n", i, c[c.size() / 2],
                fragments[i], draw.state.texture, width, height, draw.count, draw.state.blend,
                draw.state.alphaTest, draw.state.depthMask,
                meshSourceName(draw.state.vertices.data).c_str(), m[12], m[13], m[14]);
  }
}

}  // namespace

int main(int argc, char** argv) {
  fillClosedStandardStreams();
  FrameBenchOptions options;
  if (!takeOwnFlags(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: halvenrode-bench-frame [--size WxH] [--frames-per-run N] "
                 "[--draw-costs] [--at MS] [SAVER OPTION...]\n");
    return 2;
  }
  benchmark::Initialize(&argc, argv);
  std::string settingsPath = temporarySettingsPath();
  if (!writeAllOverlaysSettings(settingsPath)) {
    std::fprintf(stderr, "halvenrode-bench-frame: cannot write %s\n", settingsPath.c_str());
    return 1;
  }
  OffscreenSaverOptions saverOptions = benchSaverOptions(options.width, options.height, settingsPath);
  saverOptions.overrides = options.overrides;
  OffscreenSaver saver(saverOptions);
  std::remove(settingsPath.c_str());
  if (!saver.ok()) {
    std::fprintf(stderr, "halvenrode-bench-frame: no offscreen OpenGL context\n");
    return 1;
  }
  FrameBench bench;
  bench.saver = &saver;
  prepare(bench, options.atMs);
  if (options.drawCosts) {
    printDrawCosts(bench.captured, options.framesPerRun);
    return finishStandardOutput("halvenrode-bench-frame", 0);
  }
  std::string size = std::to_string(options.width) + "x" + std::to_string(options.height);
  for (auto* run : {benchmark::RegisterBenchmark(("full_frame/" + size).c_str(), fullFrame, &bench),
                    benchmark::RegisterBenchmark(("raw_draw/" + size).c_str(), rawDraw, &bench)}) {
    run->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(options.framesPerRun);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return finishStandardOutput("halvenrode-bench-frame", 0);
}
