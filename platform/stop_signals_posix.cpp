#include "platform/stop_signals.h"

#include <signal.h>
#include <unistd.h>

#include <initializer_list>

namespace {

volatile sig_atomic_t startupOver = 0;
volatile sig_atomic_t stopRequested = 0;

// Time the main loop has to close the scene and tear down after a signal.
constexpr unsigned kStopGraceSeconds = 5;

void onStopSignal(int) {
  if (startupOver == 0 || stopRequested != 0) _exit(0);
  stopRequested = 1;
  alarm(kStopGraceSeconds);
}

void onGraceOver(int) { _exit(0); }

void handle(int signalNumber, void (*handler)(int)) {
  struct sigaction action = {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signalNumber, &action, nullptr);
}

bool ignoredByParent(int signalNumber) {
  struct sigaction current = {};
  return sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

void installStopSignals() {
  startupOver = 0;
  stopRequested = 0;
  handle(SIGALRM, onGraceOver);
  handle(SIGTERM, onStopSignal);
  for (int signalNumber : {SIGINT, SIGHUP}) {
    if (!ignoredByParent(signalNumber)) handle(signalNumber, onStopSignal);
  }
}

void finishStartup() { startupOver = 1; }

void endIfStillStarting() {
  if (startupOver == 0) _exit(0);
}

bool stopSignalled() { return stopRequested != 0; }
