#pragma once
#include <string>

// A library that goes on talking to a display server that has gone can
// fault: Mesa's GLX reads the replies of a broken X connection without
// looking, so the SDL built on SDL 2 ends with a segmentation fault when
// the X server ends while it starts OpenGL. From this call on, a fault
// (SIGSEGV, SIGBUS) while the peer has closed `socket` ends the process
// with `message` as one line on stderr and status 1, as Xlib ends a
// program whose X server went away. Any other fault stays what it was,
// for the handler that was there before or the default action.
void endFaultsAfterLostConnection(int socket, const std::string& message);
