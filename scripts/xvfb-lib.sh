# Shell helpers for running X clients on a private Xvfb server.
# Source this file; then `xvfb_start [WxHxD]` sets DISPLAY and XVFB_PID, and
# `xvfb_stop` ends the server.

# The first display number from 90 up with no server and no stale lock.
xvfb_free_display() {
  local n
  for n in $(seq 90 190); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

# Starts Xvfb and waits until it answers, so the first client never races
# the server's start.
xvfb_start() {
  local screen="${1:-1024x768x24}" n tries
  for tries in 1 2 3 4 5; do
    n="$(xvfb_free_display)" || return 1
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
      # Another user's server may have taken the number a moment earlier:
      # the one answering must be ours, the owner of the display's lock.
      if xdpyinfo -display ":$n" >/dev/null 2>&1 &&
         [ "$(tr -d ' \n' <"/tmp/.X${n}-lock" 2>/dev/null)" = "$XVFB_PID" ]; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  done
  echo "xvfb-lib: Xvfb did not start" >&2
  return 1
}

xvfb_stop() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
