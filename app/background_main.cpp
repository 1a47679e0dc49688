#include <ctime>
#include <string>
#include <vector>

#include "app/background_mode.h"
#include "app/saver_command.h"
#include "platform/standard_streams.h"
#include "scene/random.h"

// The program `halvenrode --background` becomes, with the saver's words:
// they are read as the saver reads them (the settings options, "--background"
// and the hosts' words), and the scene is drawn as the desktop's
// background. Its messages speak as "halvenrode", the program users call.
int main(int argc, char** argv) {
  fillClosedStandardStreams();
  seedRandom(static_cast<unsigned>(std::time(nullptr)));
  std::vector<std::string> words(argv + 1, argv + argc);
  SaverCommand command = readSaverCommand(words);
  int status = 0;
  if (answerWithoutRunning(command, status)) return status;
  return runBackgroundMode(command.overrides);
}
