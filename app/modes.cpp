#include "app/modes.h"

#include <sstream>

CommandLine parseCommandLine(const std::string& text) {
  CommandLine line;
  std::istringstream words(text);
  words >> line.firstWord;
  long long number = 0;
  if (words >> number) {
    line.secondNumber = number;
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
