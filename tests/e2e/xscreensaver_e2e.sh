#!/usr/bin/env bash
# The real screen-saver daemon drives the saver: it is activated, the screen
# shows the scene, and deactivation ends the saver process. Skipped (exit
# 77) when the daemon is not installed or cannot start here.
set -u
build="${HALVENRODE_BUILD:?}"
source="${HALVENRODE_SOURCE:?}"
. "$source/scripts/xvfb-lib.sh"

work="$(mktemp -d /tmp/halvenrode-xss-XXXXXX)"
daemon_pid=
cleanup() {
  xscreensaver-command -exit >/dev/null 2>&1
  [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null
  pkill -f "$work/bin/halvenrode" 2>/dev/null
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/daemon.log" ] && tail -20 "$work/daemon.log" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

command -v xscreensaver >/dev/null || skip "xscreensaver is not installed"

# The hack is found through PATH; a private copy of the name keeps pgrep
# from matching anything else.
mkdir -p "$work/bin" "$work/home" "$work/config"
ln -s "$build/halvenrode" "$work/bin/halvenrode"
export PATH="$work/bin:$PATH"
export HOME="$work/home"
export XDG_CONFIG_DIRS="$work/config"
export HALVENRODE_REGISTRY_FILE="$work/no-registry.ini"
cat >"$HOME/.xscreensaver" <<'CONF'
mode:		one
selected:	0
lock:		False
splash:		False
fade:		False
unfade:		False
dpmsEnabled:	False
timeout:	0:30:00
programs:	GL: halvenrode --root \n
CONF

# The daemon refuses to run its programs as root: as root, run it (and so
# the saver) as an unprivileged user.
as_user=()
if [ "$(id -u)" = 0 ]; then
  command -v setpriv >/dev/null || skip "running as root without setpriv"
  chmod 755 "$work"
  chown -R 65534:65534 "$work/home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  "${as_user[@]}" test -x "$build/halvenrode" || skip "the build is not reachable by an unprivileged user"
fi

xvfb_start 1024x768x24 || fail "no Xvfb"
"${as_user[@]}" xscreensaver -no-splash >"$work/daemon.log" 2>&1 &
daemon_pid=$!
for _ in $(seq 1 100); do
  xscreensaver-command -version >/dev/null 2>&1 && break
  kill -0 "$daemon_pid" 2>/dev/null || skip "the daemon exited: $(tail -1 "$work/daemon.log")"
  sleep 0.1
done
xscreensaver-command -version >/dev/null 2>&1 || skip "the daemon does not answer"

xscreensaver-command -activate >/dev/null 2>&1 || fail "activate was refused"
saver=
for _ in $(seq 1 200); do
  saver="$(pgrep -f "^halvenrode --root" | head -1)"
  [ -n "$saver" ] && break
  sleep 0.1
done
[ -n "$saver" ] || fail "the daemon did not start the saver"

# The screen shows the scene: not the daemon's blank black.
shown=
for _ in $(seq 1 100); do
  sleep 0.2
  kill -0 "$saver" 2>/dev/null || fail "the saver ended while active"
  "$build/halvenrode-grab" "$work/screen.png" || continue
  black="$("$build/halvenrode-pngstats" "$work/screen.png" | awk '/^black/ {print $2}')"
  if awk -v b="$black" 'BEGIN { exit !(b < 0.5) }'; then shown=yes; break; fi
done
[ -n "$shown" ] || fail "the screen stayed black"
# A picture for people, once the scene has run for a while.
if [ -n "${HALVENRODE_SCREENSHOT:-}" ]; then
  sleep 5
  "$build/halvenrode-grab" "$HALVENRODE_SCREENSHOT"
fi

xscreensaver-command -deactivate >/dev/null 2>&1 || fail "deactivate was refused"
for _ in $(seq 1 100); do
  kill -0 "$saver" 2>/dev/null || { echo "PASS: the daemon drove the saver"; exit 0; }
  sleep 0.1
done
fail "the saver kept running after deactivation"
