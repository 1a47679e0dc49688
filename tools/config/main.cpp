// The configuration program: edits the settings file the saver reads, in a
// dialog or, for scripts, from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "app/settings.h"
#include "platform/paths.h"
#include "tools/config/config_command.h"
#include "tools/config/config_dialog.h"

int main(int argc, char** argv) {
  const std::string settingsPath = nativePath(settingsFilePath());
  if (argc > 1) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return runConfigCommand(arguments, settingsPath, std::cout, std::cerr);
  }
  return runConfigDialog(argc, argv, settingsPath);
}
