#include "app/entry.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "app/background_mode.h"
#include "app/modes.h"
#include "app/preview_mode.h"
#include "app/registry_string.h"
#include "app/saver_command.h"
#include "app/saver_mode.h"
#include "platform/environment.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "scene/random.h"

namespace {

// The random sequence every scene choice draws from is seeded once, before
// main, with the calendar time in seconds.
struct RandomSeed {
  RandomSeed() { seedRandom(static_cast<unsigned>(std::time(nullptr))); }
} randomSeed;

// A program that could not be started, or that failed, is reported in one
// line, and the mode's status says so: the child's own exit status, 128
// plus the signal that ended it, or 1 when it never started.
int reportOutcome(const std::string& fileName, const ProcessOutcome& outcome) {
  std::string path = installPath.pathOf(fileName);
  if (!outcome.started()) {
    std::fprintf(stderr, "halvenrode: cannot start %s: %s\n", path.c_str(),
                 std::strerror(outcome.startError));
    return 1;
  }
  if (outcome.endSignal != 0) {
    std::fprintf(stderr, "halvenrode: %s was ended by signal %d (%s)\n", path.c_str(),
                 outcome.endSignal, strsignal(outcome.endSignal));
    return 128 + outcome.endSignal;
  }
  if (outcome.exitStatus != 0) {
    std::fprintf(stderr, "halvenrode: %s ended with status %d\n", path.c_str(),
                 outcome.exitStatus);
  }
  return outcome.exitStatus;
}

int runLauncherMode() {
  putEnvironment("SDL_VIDEO_ALLOW_SCREENSAVER=1");
  return reportOutcome("Halvenrode.exe", launchProgram("Halvenrode.exe", true));
}

// The settings program runs on by itself; only a failed start is known here.
int runConfigureMode() { return reportOutcome("config.exe", launchProgram("config.exe", false)); }

// The desktop's background is drawn by a program of its own beside the
// saver, so that only it loads GTK, EGL and Wayland. It takes this process
// over with the same words: whoever started `halvenrode --background` (a
// compositor, a script) keeps the process it knows, and its signals reach
// the drawing. Returns only when the program could not be started.
int runBackgroundProgram(const std::vector<std::string>& words) {
  std::string path = installPath.pathOf(kBackgroundProgramName);
  int error = replaceProcess(nativePath(path), words);
  std::fprintf(stderr, "halvenrode: cannot start %s: %s\n", path.c_str(), std::strerror(error));
  return 1;
}

int runSaverCommand(const std::string& commandLine) {
  std::vector<std::string> words = commandWords(commandLine);
  SaverCommand command = readSaverCommand(words);
  int status = 0;
  if (answerWithoutRunning(command, status)) return status;
  if (command.background) return runBackgroundProgram(words);
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
