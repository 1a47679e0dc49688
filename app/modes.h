#pragma once
#include <cstdint>
#include <string>

enum class RunMode { Launcher, Configure, Preview, Saver };

struct CommandLine {
  std::string firstWord;      // empty when the command line is empty
  std::string secondWord;     // empty when there is none
  int64_t secondNumber = 0;   // the preview parent's window, when given
  bool hasSecondNumber = false;
};

// Splits the command-line text into whitespace-separated words; only the
// first word and the second matter. The second is a number when it is a
// window id as parseWindowId reads it ("0x…" or decimal, not 0).
CommandLine parseCommandLine(const std::string& text);

// Second character s/S: launcher; c/C: configure; exactly "/p" or "/P":
// preview; anything else (empty included): the saver itself.
RunMode selectMode(const CommandLine& line);
