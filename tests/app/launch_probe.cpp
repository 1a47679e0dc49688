// A stand-in program for the launching tests. It writes one line per fact
// into the file named by PROBE_OUTPUT: its argument count, its working
// folder and SDL_VIDEO_ALLOW_SCREENSAVER. With PROBE_RELEASE it first waits
// (up to 10 s) for that file to exist, so a test can prove its parent did
// not wait for it. PROBE_EXIT makes it exit with that status, PROBE_SIGNAL
// end itself with that signal, after writing.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/standard_streams.h"

int main(int argc, char**) {
  fillClosedStandardStreams();
  const char* release = std::getenv("PROBE_RELEASE");
  for (int i = 0; release != nullptr && access(release, F_OK) != 0 && i < 1000; ++i) usleep(10000);
  usleep(100000);  // long enough that a parent that does not wait returns first
  const char* output = std::getenv("PROBE_OUTPUT");
  if (output == nullptr) return 2;
  char folder[4096] = "";
  if (getcwd(folder, sizeof folder) == nullptr) folder[0] = '\0';
  const char* allow = std::getenv("SDL_VIDEO_ALLOW_SCREENSAVER");
  std::FILE* f = std::fopen(output, "w");
  if (f == nullptr) return 3;
  std::fprintf(f, "%d\n%s\n%s\n", argc, folder, allow != nullptr ? allow : "(unset)");
  std::fclose(f);
  if (const char* signalNumber = std::getenv("PROBE_SIGNAL")) std::raise(std::atoi(signalNumber));
  const char* status = std::getenv("PROBE_EXIT");
  return status != nullptr ? std::atoi(status) : 0;
}
