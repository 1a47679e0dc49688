#include <string>

#include "app/entry.h"

// The words after the program name, joined with single blanks, are the
// command-line text the entry logic reads.
int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  return winMain(commandLine);
}
