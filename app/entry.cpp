#include "app/entry.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/modes.h"
#include "app/preview_mode.h"
#include "app/registry_string.h"
#include "app/saver_command.h"
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

// Exit status of a command line the saver does not understand, as for
// other programs' usage mistakes.
constexpr int kUsageMistake = 2;

// Help and version need no display, so they are answered before anything
// of the video starts.
int runSaverCommand(const std::string& commandLine) {
  SaverCommand command = readSaverCommand(commandWords(commandLine));
  switch (command.request) {
    case SaverRequest::Help:
      std::fputs(saverUsage().c_str(), stdout);
      return 0;
    case SaverRequest::Version:
      std::printf("%s\n", saverVersion().c_str());
      return 0;
    case SaverRequest::Mistake:
      std::fprintf(stderr, "halvenrode: %s\nTry \"halvenrode --help\" for the options.\n",
                   command.problem.c_str());
      return kUsageMistake;
    case SaverRequest::Run: break;
  }
  return runSaverMode(commandLine, command.overrides);
}

}  // namespace

int winMain(const std::string& commandLine) {
  CommandLine line = parseCommandLine(commandLine);
  switch (selectMode(line)) {
    case RunMode::Launcher: return runLauncherMode();
    case RunMode::Configure: return runConfigureMode();
    case RunMode::Preview: return runPreviewMode(line);
    case RunMode::Saver: return runSaverCommand(commandLine);
  }
  return 0;
}
