#pragma once
#include <sys/types.h>

#include <string>

// A private virtual X server for one test suite, on a free display number.
// The constructor returns once the server accepts connections; the
// destructor stops it.
class XvfbServer {
 public:
  XvfbServer();
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool running() const { return !display_.empty(); }
  // ":N", for DISPLAY; empty when the server did not start.
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};
