#include "tools/soak/soak_run.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "app/frame_clock.h"
#include "platform/local_time.h"
#include "resources/pak_cache.h"
#include "resources/procedural_texture_cache.h"
#include "tools/soak/overlay_check.h"
#include "tools/soak/scene_census.h"
#include "tools/soak/soak_schedule.h"
#include "tools/still/offscreen_saver.h"

namespace {

constexpr size_t kProblemsKept = 20;

// Anonymous resident memory of this process in KiB (heap, anonymous maps,
// stacks), from /proc; 0 if unknown. Pages of mapped files (the libraries'
// code and data) are left out: they are shared and reclaimable, not
// something the saver allocates.
long residentKb() {
  std::FILE* file = std::fopen("/proc/self/status", "r");
  if (file == nullptr) return 0;
  long anonymous = 0;
  char line[256];
  while (std::fgets(line, sizeof line, file) != nullptr) {
    if (std::sscanf(line, "RssAnon: %ld kB", &anonymous) == 1) break;
  }
  std::fclose(file);
  return anonymous;
}

class SoakChecker {
 public:
  SoakChecker(const SoakOptions& options, SoakFigures& figures)
      : options_(options), figures_(figures) {}

  void problem(uint64_t rawMs, const std::string& text) {
    figures_.problemCount += 1;
    if (figures_.problems.size() >= kProblemsKept) return;
    std::ostringstream line;
    line << "at " << rawMs / 1000.0 << " s: " << text;
    figures_.problems.push_back(line.str());
  }

  void afterFrame(const SoakSchedule& schedule) {
    uint64_t raw = schedule.rawMs();
    if (GLenum error = glGetError(); error != GL_NO_ERROR) problem(raw, "GL error " + std::to_string(error));
    std::tm now = readLocalTime();
    if (haveDay_ && now.tm_mday != lastDay_) figures_.midnights += 1;
    haveDay_ = true;
    lastDay_ = now.tm_mday;
    std::string overlays = overlayMismatches(now);
    if (!overlays.empty()) problem(raw, overlays);
    SceneCensus census = takeCensus();
    std::string uses = useCountMismatches(census);
    if (!uses.empty()) problem(raw, uses);
    if (schedule.framedMs() >= options_.warmUpMs) checkBands(census, raw);
    if (options_.checkMemory) checkMemory(schedule);
  }

 private:
  void band(const char* what, size_t value, const CountBand& band, size_t& low, size_t& high,
            uint64_t raw) {
    low = std::min(low, value);
    high = std::max(high, value);
    if (!band.holds(value)) {
      problem(raw, std::string(what) + " " + std::to_string(value) + " outside " +
                       std::to_string(band.low) + "-" + std::to_string(band.high));
    }
  }

  void checkBands(const SceneCensus& census, uint64_t raw) {
    band("nodes", census.nodes, options_.nodes, figures_.nodesMin, figures_.nodesMax, raw);
    band("smoke particles", census.smokeParticles, options_.particles, figures_.particlesMin,
         figures_.particlesMax, raw);
    band("terrain pieces", census.terrainPieces, options_.pieces, figures_.piecesMin,
         figures_.piecesMax, raw);
  }

  // Memory is read about once a simulated minute: reading /proc every
  // frame would cost more than the frame.
  void checkMemory(const SoakSchedule& schedule) {
    uint64_t framed = schedule.framedMs();
    if (framed < nextMemoryReadMs_) return;
    nextMemoryReadMs_ = framed + 60 * 1000;
    long resident = residentKb();
    figures_.memoryAtEndKb = resident;
    uint64_t reference = std::min<uint64_t>(3600 * 1000, static_cast<uint64_t>(options_.hours * 3600 * 1000 / 3));
    if (figures_.memoryAtReferenceKb == 0) {
      if (framed >= reference) {
        figures_.memoryAtReferenceKb = resident;
        figures_.memoryReferenceMs = framed;
      }
      return;
    }
    figures_.memoryMaxAfterKb = std::max(figures_.memoryMaxAfterKb, resident);
    if (resident > figures_.memoryAtReferenceKb + options_.memoryAllowanceKb) {
      problem(schedule.rawMs(), "resident memory grew to " + std::to_string(resident) + " KiB from " +
                                    std::to_string(figures_.memoryAtReferenceKb));
    }
  }

  const SoakOptions& options_;
  SoakFigures& figures_;
  bool haveDay_ = false;
  int lastDay_ = 0;
  uint64_t nextMemoryReadMs_ = 0;
};

// After Escape every archive is closed and every procedural texture gone.
void checkAllReleased(SoakChecker& checker, uint64_t raw) {
  for (const char* name : {"main.pak", "utils.pak", "clock.pak", "calendar.pak"}) {
    if (pakCache.useCount(name) != 0) {
      checker.problem(raw, std::string(name) + " still has " + std::to_string(pakCache.useCount(name)) +
                               " uses after the scene closed");
    }
  }
  if (proceduralTextureCache.size() != 0) {
    checker.problem(raw, "procedural textures left after the scene closed");
  }
}

}  // namespace

bool runSoak(const SoakOptions& options, SoakFigures& figures, std::ostream& progress) {
  OffscreenSaverOptions saverOptions;
  saverOptions.width = options.width;
  saverOptions.height = options.height;
  saverOptions.settingsFile = options.settingsFile;
  saverOptions.seed = options.seed;
  OffscreenSaver saver(saverOptions);
  SoakChecker checker(options, figures);
  if (!saver.ok()) {
    checker.problem(0, "no offscreen GL context");
    return false;
  }
  uint64_t span = static_cast<uint64_t>(options.hours * 3600.0 * 1000.0);
  SoakSchedule schedule(span, standardStalls(span), options.seed);
  // The overlays follow the raw clock, which runs on through stalls, while
  // the scene's frame clock passes at most a second per frame.
  std::time_t start = options.localStart;
  setTimeSource([&schedule, start]() { return start + static_cast<std::time_t>(schedule.rawMs() / 1000); });
  FrameClock clock;
  uint64_t nextProgress = options.progressEveryMs;
  while (!schedule.done()) {
    uint64_t raw = schedule.next();
    saver.frame(clock.advance(static_cast<uint32_t>(raw)));
    figures.frames += 1;
    checker.afterFrame(schedule);
    if (schedule.framedMs() >= nextProgress) {
      nextProgress += options.progressEveryMs;
      progress << "  " << schedule.framedMs() / 60000 << " min: " << figures.frames << " frames, "
               << figures.memoryAtEndKb << " KiB resident (anonymous), " << figures.problemCount << " problems\n";
      progress.flush();
    }
  }
  figures.framedMs = schedule.framedMs();
  figures.rawMs = schedule.rawMs();
  figures.stalls = schedule.stallsTaken();
  figures.closeFrames = saver.closeScene(clock.advance(static_cast<uint32_t>(schedule.rawMs() + 20)), 20);
  checkAllReleased(checker, schedule.rawMs());
  return figures.problemCount == 0;
}

void printFigures(const SoakFigures& f, std::ostream& out) {
  out << "frames " << f.frames << " over " << f.framedMs / 60000.0 << " simulated min ("
      << f.rawMs / 3600000.0 << " h on the wall clock)\n"
      << "stalls survived " << f.stalls << ", midnights " << f.midnights << ", close took "
      << f.closeFrames << " frames\n"
      << "nodes " << f.nodesMin << "-" << f.nodesMax << ", smoke particles " << f.particlesMin
      << "-" << f.particlesMax << ", terrain pieces " << f.piecesMin << "-" << f.piecesMax << "\n"
      << "anonymous resident memory " << f.memoryAtReferenceKb << " KiB at " << f.memoryReferenceMs / 60000
      << " min, at most " << f.memoryMaxAfterKb << " KiB after, " << f.memoryAtEndKb
      << " KiB at the end\n"
      << "problems " << f.problemCount << "\n";
  for (const std::string& problem : f.problems) out << "  " << problem << "\n";
}
