#include "app/saver_command.h"

#include <cstdio>
#include <sstream>

#include "app/extra_settings.h"
#include "app/options/option_help.h"
#include "app/settings_files.h"
#include "platform/standard_streams.h"

namespace {

bool isHostSwitch(const std::string& word) { return word == "--root" || word == "-root"; }

bool isWindowOption(const std::string& word) {
  return word == "--window-id" || word == "-window-id";
}

// Hosts and launchers put words of their own on the command line
// ("/p:123456", "-p 123456", a bare number) that only choose the saver
// mode; a word spelled as a long option is meant for us, so only such a
// word can be a mistake.
bool isLongOption(const std::string& word) { return word.compare(0, 2, "--") == 0; }

SaverCommand mistake(const std::string& problem) {
  SaverCommand command;
  command.request = SaverRequest::Mistake;
  command.problem = problem;
  return command;
}

}  // namespace

SaverCommand readSaverCommand(const std::vector<std::string>& words) {
  SaverCommand command;
  for (size_t at = 0; at < words.size();) {
    const std::string& word = words[at];
    if (word == "--help" || word == "-h") {
      command.request = SaverRequest::Help;
      return command;
    }
    if (word == "--version") {
      command.request = SaverRequest::Version;
      return command;
    }
    if (word == "--background") {
      command.background = true;
      at += 1;
      continue;
    }
    if (isHostSwitch(word)) {
      at += 1;
      continue;
    }
    if (isWindowOption(word)) {
      if (at + 1 >= words.size()) return mistake(word + " needs the id of a window");
      at += 2;
      continue;
    }
    std::string problem;
    int taken = readSettingOption(words, at, command.overrides, problem);
    if (taken < 0) return mistake(problem);
    if (taken == 0 && isLongOption(word)) return mistake("unknown option \"" + word + "\"");
    at += taken == 0 ? 1 : static_cast<size_t>(taken);
  }
  return command;
}

bool answerWithoutRunning(const SaverCommand& command, int& status) {
  switch (command.request) {
    case SaverRequest::Help:
      std::fputs(saverUsage().c_str(), stdout);
      status = finishStandardOutput("halvenrode", 0);
      return true;
    case SaverRequest::Version:
      std::printf("%s\n", saverVersion().c_str());
      status = finishStandardOutput("halvenrode", 0);
      return true;
    case SaverRequest::Mistake:
      std::fprintf(stderr, "halvenrode: %s\nTry \"halvenrode --help\" for the options.\n",
                   command.problem.c_str());
      status = kUsageMistake;
      return true;
    case SaverRequest::Run: break;
  }
  return false;
}

std::vector<std::string> commandWords(const std::string& commandLine) {
  std::istringstream stream(commandLine);
  std::vector<std::string> words;
  std::string word;
  while (stream >> word) words.push_back(word);
  return words;
}

std::string saverUsage() {
  std::string userFile = settingsFileFor(SettingsScope::User);
  if (userFile.empty()) userFile = "(none: no home folder)";
  return "usage: halvenrode [OPTION...]  the screen saver, full screen or in a host's window\n"
         "       halvenrode /s            start the full-screen program Halvenrode.exe and wait\n"
         "       halvenrode /c            open the settings dialog (halvenrode-config)\n"
         "       halvenrode /p WINDOW     paint the preview picture into X window WINDOW\n"
         "       halvenrode --background  the scene as a Wayland desktop's background\n"
         "\n"
         "Options for this run, taking precedence over the settings file:\n" +
         settingOptionsHelp() +
         "\n"
         "Options of screen-saver hosts:\n"
         "  --root, -root                 draw into the window the host names in\n"
         "                                XSCREENSAVER_WINDOW (full screen without one)\n"
         "  --window-id WINDOW            draw into this X window, its id in hexadecimal\n"
         "                                (0x...) or decimal, as for /p\n"
         "\n"
         "Wayland:\n"
         "  --background                  draw the scene as the desktop's background on\n"
         "                                each output (compositors with layer surfaces:\n"
         "                                sway, Hyprland, ...); SIGTERM ends it\n"
         "The full-screen run draws natively on a Wayland desktop (WAYLAND_DISPLAY\n"
         "set) when its SDL 1.2 is the one built on SDL 2, else through Xwayland;\n"
         "host windows always use X11. SDL_VIDEODRIVER=x11 or =wayland chooses.\n"
         "\n"
         "  --help                        print this text\n"
         "  --version                     print the version\n"
         "Other words that start with one dash or none (a host's /p:123456) are skipped.\n"
         "\n"
         "Settings are read from the first of these files that exists:\n"
         "  " + userFile + "\n"
         "  " + settingsFileFor(SettingsScope::Machine) + "\n"
         "The " + textFileOptionNames() + " settings come from " + kExtraSettingsFileName +
         " in\n"
         "the same folders. Change them all with halvenrode-config. Escape ends\n"
         "the full-screen run.\n";
}

std::string saverVersion() { return std::string("halvenrode ") + HALVENRODE_VERSION; }
