#!/usr/bin/env bash
# The saver under valgrind's memcheck on a private Xvfb: runs for SECONDS
# (default 20) with every overlay on, is ended with Escape, and must end
# with status 0, no invalid read or write, no use of uninitialised values
# and no definitely lost bytes outside the suppressed library noise.
#
#   tests/valgrind/run.sh BUILD_FOLDER [SECONDS]
set -u
build="$(cd "${1:?usage: run.sh BUILD_FOLDER [SECONDS]}" && pwd)"
seconds="${2:-20}"
here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../.." && pwd)"
. "$top/scripts/xvfb-lib.sh"

work="$(mktemp -d /tmp/halvenrode-valgrind-XXXXXX)"
saver_pid=
cleanup() {
  [ -n "$saver_pid" ] && kill -9 "$saver_pid" 2>/dev/null
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "valgrind run: $*" >&2; exit 1; }

[ -x "$build/halvenrode" ] && [ -f "$build/main.pak" ] || fail "build the saver and its archives first"

# Settings in a folder of this run, every overlay on; no registry file, so
# the archives are read from beside the binary.
export XDG_CONFIG_DIRS="$work/config"
export XDG_CONFIG_HOME="$work/config"
export HALVENRODE_REGISTRY_FILE="$work/no-registry.ini"
mkdir -p "$work/config"
printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
  >"$work/config/Quorvel_Halvenrode_cfg"
printf '\x01\x01\x00\x00\x01\x01\x00' >>"$work/config/Quorvel_Halvenrode_cfg"

xvfb_start 320x240x24 || fail "no Xvfb"
# Mesa's plain software driver without generated code: memcheck runs it at
# a usable speed and sees every access. The driver is unloaded at exit, so
# its debug information is kept for the leak report and the suppressions.
LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=softpipe DRAW_USE_LLVM=0 valgrind --tool=memcheck \
  --keep-debuginfo=yes --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
  --track-origins=no --num-callers=40 --error-exitcode=99 \
  --suppressions="$here/halvenrode.supp" ${VALGRIND_EXTRA:-} \
  --log-file="$work/memcheck.log" "$build/halvenrode" 2>"$work/stderr" &
saver_pid=$!

# The window appears late under valgrind; then the run lasts SECONDS.
for _ in $(seq 1 600); do
  kill -0 "$saver_pid" 2>/dev/null || break
  xwininfo -root -tree 2>/dev/null | grep -q " 320x240+0+0" && break
  sleep 0.2
done
kill -0 "$saver_pid" 2>/dev/null || { cat "$work/memcheck.log" >&2; fail "the saver ended early"; }
sleep "$seconds"
xdotool key Escape
status=running
for _ in $(seq 1 1200); do
  if ! kill -0 "$saver_pid" 2>/dev/null; then
    wait "$saver_pid"
    status=$?
    saver_pid=
    break
  fi
  sleep 0.1
done
[ -n "${VALGRIND_KEEP_LOG:-}" ] && cp "$work/memcheck.log" "$VALGRIND_KEEP_LOG"
grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|suppressed:" "$work/memcheck.log" | sed 's/^==[0-9]*== *//'
case "$status" in
  0) echo "valgrind run: clean, saver ended with status 0" ;;
  99) grep -v "^==[0-9]*== *$" "$work/memcheck.log" | tail -80 >&2; fail "memcheck found errors" ;;
  running) fail "the saver did not end after Escape" ;;
  *) fail "the saver ended with status $status" ;;
esac
