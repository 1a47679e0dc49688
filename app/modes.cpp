#include "app/modes.h"

#include <sstream>

#include "platform/host_window.h"

// The second word is the preview's host window, written as the saver's
// other window options take it.
CommandLine parseCommandLine(const std::string& text) {
  CommandLine line;
  std::istringstream words(text);
  words >> line.firstWord >> line.secondWord;
  unsigned long window = 0;
  if (parseWindowId(line.secondWord, window)) {
    line.secondNumber = static_cast<int64_t>(window);
    line.hasSecondNumber = true;
  }
  return line;
}

RunMode selectMode(const CommandLine& line) {
  const std::string& word = line.firstWord;
  if (word.size() >= 2) {
    char second = word[1];
    if (second == 's' || second == 'S') return RunMode::Launcher;
    if (second == 'c' || second == 'C') return RunMode::Configure;
  }
  if (word == "/p" || word == "/P") return RunMode::Preview;
  return RunMode::Saver;
}
