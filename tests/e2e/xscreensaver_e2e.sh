#!/usr/bin/env bash
# The real screen-saver daemon drives the saver through 20 activations, with
# options on its command line as the daemon's settings dialog writes them:
# the screen shows the scene, every deactivation ends the saver with status
# 0, and nothing of the saver (an X error above all) reaches the daemon's
# log. Skipped (exit 77) when the daemon is not installed or cannot start.
set -u
build="${HALVENRODE_BUILD:?}"
source="${HALVENRODE_SOURCE:?}"
cycles="${HALVENRODE_CYCLES:-20}"
. "$source/scripts/xvfb-lib.sh"
. "$source/tests/e2e/sdl_choice.sh"
sdl_choose

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

# The daemon finds the hack through PATH. It is a small stand-in that runs
# the real saver, hands it the daemon's SIGTERM and writes down how it
# ended: the daemon's own helper exits at once and never reports it.
mkdir -p "$work/bin" "$work/home" "$work/config"
ln -s "$build/halvenrode" "$work/bin/halvenrode-saver"
statuses="$work/home/statuses"
cat >"$work/bin/halvenrode" <<SCRIPT
#!/bin/sh
"$work/bin/halvenrode-saver" "\$@" &
child=\$!
stopped=
trap 'stopped=yes; kill -TERM \$child' TERM INT HUP
wait \$child
status=\$?
[ -n "\$stopped" ] && { wait \$child; status=\$?; }
echo "\$status" >>"$statuses"
SCRIPT
chmod 755 "$work/bin/halvenrode"
export PATH="$work/bin:$PATH"
export HOME="$work/home"
export XDG_CONFIG_DIRS="$work/config"
export XDG_CONFIG_HOME="$work/home/.config"
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
programs:	GL: halvenrode --root --clock=analog --calendar=monday --fps \n
CONF

# The daemon refuses to run its programs as root: as root, run it (and so
# the saver) as an unprivileged user.
as_user=()
if [ "$(id -u)" = 0 ]; then
  command -v setpriv >/dev/null || skip "running as root without setpriv"
  chmod 755 "$work" "$work/bin"
  chown -R 65534:65534 "$work/home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  "${as_user[@]}" test -x "$build/halvenrode" || skip "the build is not reachable by an unprivileged user"
fi

xvfb_start 800x600x24 || fail "no Xvfb"
"${as_user[@]}" xscreensaver -no-splash >"$work/daemon.log" 2>&1 &
daemon_pid=$!
for _ in $(seq 1 100); do
  xscreensaver-command -version >/dev/null 2>&1 && break
  kill -0 "$daemon_pid" 2>/dev/null || skip "the daemon exited: $(tail -1 "$work/daemon.log")"
  sleep 0.1
done
xscreensaver-command -version >/dev/null 2>&1 || skip "the daemon does not answer"

# Waits up to 20 s for the daemon's saver process and prints its id.
started_saver() {
  local pid
  for _ in $(seq 1 200); do
    pid="$(pgrep -f "^$work/bin/halvenrode-saver --root" | head -1)"
    [ -n "$pid" ] && { echo "$pid"; return 0; }
    sleep 0.1
  done
  return 1
}

# True once the screen shows the scene, not the daemon's blank black
# (up to 20 s).
scene_shown() {
  local black
  for _ in $(seq 1 100); do
    sleep 0.2
    kill -0 "$1" 2>/dev/null || fail "the saver ended while active"
    "$build/halvenrode-grab" "$work/screen.png" || continue
    black="$("$build/halvenrode-pngstats" "$work/screen.png" | awk '/^black/ {print $2}')"
    awk -v b="$black" 'BEGIN { exit !(b < 0.5) }' && return 0
  done
  return 1
}

for cycle in $(seq 1 "$cycles"); do
  xscreensaver-command -activate >/dev/null 2>&1 || fail "cycle $cycle: activate was refused"
  saver="$(started_saver)" || fail "cycle $cycle: the daemon did not start the saver"
  if [ "$cycle" = 1 ]; then
    sdl_expect_in "$saver"
    scene_shown "$saver" || fail "the screen stayed black"
    if [ -n "${HALVENRODE_SCREENSHOT:-}" ]; then
      sleep 5
      "$build/halvenrode-grab" "$HALVENRODE_SCREENSHOT"
    fi
  else
    sleep 1  # drawing when the daemon takes the window away
  fi
  xscreensaver-command -deactivate >/dev/null 2>&1 || fail "cycle $cycle: deactivate was refused"
  for _ in $(seq 1 100); do
    kill -0 "$saver" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$saver" 2>/dev/null && fail "cycle $cycle: the saver kept running after deactivation"
  for _ in $(seq 1 50); do
    [ "$(wc -l <"$statuses" 2>/dev/null || echo 0)" -ge "$cycle" ] && break
    sleep 0.1
  done
  sleep 0.5  # lets the daemon settle before the next activation
done

[ "$(wc -l <"$statuses")" = "$cycles" ] || fail "$(wc -l <"$statuses") ends recorded for $cycles runs"
failed="$(grep -cvx 0 "$statuses")"
errors="$(grep -c "X Error" "$work/daemon.log")"
echo "runs: $cycles, ended with status 0: $((cycles - failed)), X errors in the daemon's log: $errors"
[ "$failed" = 0 ] || fail "$failed of $cycles runs ended with another status: $(sort "$statuses" | uniq -c | tr '\n' ' ')"
[ "$errors" = 0 ] || fail "X errors in the daemon's log"
pgrep -f "$work/bin/halvenrode-saver" >/dev/null && fail "a saver process was left"
echo "PASS: the daemon drove the saver $cycles times"
