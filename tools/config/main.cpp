// The configuration program: edits the settings file the saver reads, in a
// dialog or, for scripts, from the command line. Installed for people as
// "halvenrode-config", and as "config.exe" in the installation folder,
// where the saver's configure mode starts it.
#include <iostream>
#include <string>
#include <vector>

#include "platform/standard_streams.h"
#include "tools/config/config_command.h"
#include "tools/config/config_dialog.h"

// What a command prints (--show, --help, ...) must reach standard output,
// or the command has failed.
int main(int argc, char** argv) {
  fillClosedStandardStreams();
  std::vector<std::string> arguments(argv + 1, argv + argc);
  bool machineWide = takeSystemOption(arguments);
  SettingsTarget target =
      settingsTargetFor(machineWide ? SettingsScope::Machine : SettingsScope::User);
  if (!arguments.empty()) {
    return finishStandardOutput(kConfigProgramName,
                                runConfigCommand(arguments, target, std::cout, std::cerr));
  }
  // GTK sees no arguments: --system was ours.
  int gtkArgc = 1;
  return runConfigDialog(gtkArgc, argv, target);
}
