#include <string>

#include "app/entry.h"
#include "platform/standard_streams.h"

// The standard streams are made safe before anything opens a file; then
// the words after the program name, joined with single blanks, are the
// command-line text the entry logic reads.
int main(int argc, char** argv) {
  fillClosedStandardStreams();
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  return winMain(commandLine);
}
