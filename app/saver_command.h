#pragma once
#include <string>
#include <vector>

#include "app/options/command_line_options.h"

// What the saver mode's command line asks for.
enum class SaverRequest { Run, Help, Version, Mistake };

struct SaverCommand {
  SaverRequest request = SaverRequest::Run;
  SettingOverrides overrides;  // for Run
  bool background = false;     // for Run: --background, the desktop's background
  std::string problem;         // for Mistake: one line, no newline
};

// Reads the words after the program name in the saver mode: the settings
// options, "--help", "--version" and "--background", the options
// screen-saver hosts pass
// ("--root", "--window-id WINDOW"), and the single-dash spellings "-root",
// "-window-id WINDOW", "-fps", "-no-fps" and "-h". The host window itself
// is found from the command-line text by the saver mode; here its option
// only takes its value. An unknown word starting with "--", or a known
// option without its value or with a value it does not take, is a
// mistake; every other word is skipped, wherever it stands.
SaverCommand readSaverCommand(const std::vector<std::string>& words);

// Exit status of a command line the saver does not understand, as for
// other programs' usage mistakes.
constexpr int kUsageMistake = 2;

// Answers a command that asks for no run as the saver does: the usage text
// or the version on standard output, a mistake in one line on standard
// error and a hint to --help. True for those, with
// the exit status in `status`; false for Run, `status` untouched. Help and
// version need no display, so they are answered before anything of the
// video starts.
bool answerWithoutRunning(const SaverCommand& command, int& status);

// The command-line text split at white space.
std::vector<std::string> commandWords(const std::string& commandLine);

// The usage text of --help: the modes, the options, the files read.
std::string saverUsage();

// "halvenrode VERSION", without a newline.
std::string saverVersion();
