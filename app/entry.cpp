#include "app/entry.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/modes.h"
#include "app/preview_mode.h"
#include "app/registry_string.h"
#include "app/saver_mode.h"
#include "platform/environment.h"

namespace {

// The random sequence every scene choice draws from is seeded once, before
// main, with the calendar time in seconds.
struct RandomSeed {
  RandomSeed() { std::srand(static_cast<unsigned>(std::time(nullptr))); }
} randomSeed;

int runLauncherMode() {
  putEnvironment("SDL_VIDEO_ALLOW_SCREENSAVER=1");
  launchProgram("Halvenrode.exe", true);
  return 0;
}

int runConfigureMode() {
  launchProgram("config.exe", false);
  return 0;
}

}  // namespace

int winMain(const std::string& commandLine) {
  CommandLine line = parseCommandLine(commandLine);
  switch (selectMode(line)) {
    case RunMode::Launcher: return runLauncherMode();
    case RunMode::Configure: return runConfigureMode();
    case RunMode::Preview: return runPreviewMode(line);
    case RunMode::Saver: return runSaverMode(commandLine);
  }
  return 0;
}
