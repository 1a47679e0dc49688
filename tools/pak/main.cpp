// halvenrode-pak: inspects and builds the program's archive files.
#include <iostream>
#include <string>
#include <vector>

#include "pak_commands.h"
#include "platform/standard_streams.h"

namespace {

int usage() {
  std::cerr << "usage: halvenrode-pak list ARCHIVE\n"
               "       halvenrode-pak extract ARCHIVE PREFIX\n"
               "       halvenrode-pak create ARCHIVE FILE...\n"
               "       halvenrode-pak add ARCHIVE FILE...\n"
               "Entries added from files are named by the path as given, which\n"
               "must be relative and without \"..\"; adding a name already\n"
               "there replaces that entry.\n"
               "Names are listed with \\\\, \\t, \\n, \\r and \\xHH escapes for\n"
               "bytes outside printable ASCII.\n"
               "Extracted entries go to PREFIX followed by the entry name;\n"
               "end PREFIX with '/' to extract into a folder. Below PREFIX's\n"
               "folder no link is followed, and what stands at an entry's\n"
               "path is replaced.\n";
  return 2;
}

}  // namespace

// Only the listing goes to standard output; one that could not be written
// there is a failure like any other.
int main(int argc, char** argv) {
  fillClosedStandardStreams();
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 2) return usage();
  const std::string& command = args[0];
  const std::string& archive = args[1];
  std::vector<std::string> files(args.begin() + 2, args.end());
  if (command == "list" && files.empty()) {
    return finishStandardOutput("halvenrode-pak", listArchive(archive, std::cout, std::cerr));
  }
  if (command == "extract" && files.size() == 1) {
    return extractArchive(archive, files[0], std::cerr);
  }
  if (command == "create" && !files.empty()) {
    return createArchive(archive, files, std::cout, std::cerr);
  }
  if (command == "add" && !files.empty()) return addToArchive(archive, files, std::cout, std::cerr);
  return usage();
}
