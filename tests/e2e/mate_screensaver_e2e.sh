#!/usr/bin/env bash
# MATE's screen-saver daemon offers the saver through our desktop entry and
# runs it, from a fresh home with its own D-Bus session: its settings dialog
# lists the entry and previews it, the daemon draws the scene when it
# activates, every deactivation ends the saver with status 0, nothing of
# ours is left running and no X error reaches the logs. Skipped (exit 77)
# when mate-screensaver is not installed.
set -u
build="${HALVENRODE_BUILD:?}"
source="${HALVENRODE_SOURCE:?}"
cycles="${HALVENRODE_CYCLES:-3}"
shots="${HALVENRODE_SCREENSHOT_DIR:-}"
. "$source/scripts/xvfb-lib.sh"
. "$source/tests/e2e/sdl_choice.sh"

fail() { echo "FAIL: $*" >&2; [ -f "${work:-}/daemon.log" ] && tail -20 "$work/daemon.log" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }
command -v mate-screensaver >/dev/null || skip "mate-screensaver is not installed"

# The daemon runs a theme only when its program is in one of its own saver
# folders (the package links the saver into /usr/libexec/xscreensaver); it
# then starts the program through PATH. The test lends it one of those
# folders in a private mount namespace, holding only a link to the stand-in
# below (the folder's own programs are hidden for the run), so the system
# stays untouched. As root the daemon side runs as an
# unprivileged user; otherwise a user namespace makes the mount possible.
if [ -z "${HALVENRODE_MATE_NAMESPACE:-}" ]; then
  kind=user namespace=(--user --map-root-user --mount)
  [ "$(id -u)" = 0 ] && kind=root namespace=(--mount)
  unshare "${namespace[@]}" true 2>/dev/null || fail "no private mount namespace here (unshare ${namespace[*]})"
  HALVENRODE_MATE_NAMESPACE=$kind exec unshare "${namespace[@]}" --propagation private -- bash "$0" "$@"
fi
lent=
for folder in /usr/libexec/xscreensaver /usr/lib/xscreensaver /usr/lib/mate-screensaver/mate-screensaver; do
  [ -d "$folder" ] && { lent="$folder"; break; }
done
[ -n "$lent" ] || fail "none of the daemon's saver folders exists"

sdl_choose
work="$(mktemp -d /tmp/halvenrode-mate-XXXXXX)"

# Every process of the run has the work folder in its environment (its HOME
# at least); this script's own environment does not, so these are ours.
our_processes() {
  local entry
  for entry in /proc/[0-9]*; do
    grep -qaF "$work/" "$entry/environ" 2>/dev/null && echo "${entry#/proc/}"
  done
}
bus_pid= daemon_pid= prefs_pid=
cleanup() {
  [ -n "$prefs_pid" ] && kill "$prefs_pid" 2>/dev/null
  [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  sleep 0.5
  local pid
  for pid in $(our_processes); do kill -9 "$pid" 2>/dev/null; done
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/bin" "$work/home" "$work/runtime" "$work/config" "$work/engines" \
         "$work/data/applications/screensavers"
chmod 755 "$work" "$work/bin"
chmod 700 "$work/runtime"
cp "$source/packaging/halvenrode.desktop" "$work/data/applications/screensavers/"
ln -s "$build/halvenrode" "$work/bin/halvenrode-saver"
ln -s "$work/bin/halvenrode" "$work/engines/halvenrode"
statuses="$work/home/statuses"

# The stand-in the daemon finds through PATH: it runs the real saver with
# the settings of the test (the daemon passes on only a few variables), hands
# it the daemon's SIGTERM and writes down how it ended.
cat >"$work/bin/halvenrode" <<SCRIPT
#!/bin/sh
${LD_LIBRARY_PATH:+export LD_LIBRARY_PATH='$LD_LIBRARY_PATH'}
export XDG_CONFIG_DIRS='$work/config' XDG_CONFIG_HOME='$work/home/.config'
export HALVENRODE_REGISTRY_FILE='$work/no-registry.ini'
"$work/bin/halvenrode-saver" "\$@" 2>>"$work/home/saver.log" &
child=\$!
stopped=
trap 'stopped=yes; kill -TERM \$child' TERM INT HUP
wait \$child
status=\$?
[ -n "\$stopped" ] && { wait \$child; status=\$?; }
echo "\$status" >>"$statuses"
SCRIPT
chmod 755 "$work/bin/halvenrode"
mount --bind "$work/engines" "$lent" || fail "cannot lend $lent to the test"

as_user=()
if [ "$HALVENRODE_MATE_NAMESPACE" = root ]; then
  command -v setpriv >/dev/null || fail "running as root without setpriv"
  chown -R 65534:65534 "$work/home" "$work/runtime"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  "${as_user[@]}" test -x "$build/halvenrode" || skip "the build is not reachable by an unprivileged user"
fi

xvfb_start 1024x768x24 || fail "no Xvfb"
# A MATE session's environment, all of it inside the work folder: settings
# in dconf behind the test's own session bus, the themes from our desktop
# entry and the system's, the menu layout from /etc/xdg.
bus="unix:path=$work/runtime/bus"
user_env=(env -u LD_LIBRARY_PATH -u GSETTINGS_BACKEND -u XDG_SESSION_TYPE
  DISPLAY="$DISPLAY" HOME="$work/home" PATH="$work/bin:$PATH"
  XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
  XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime"
  XDG_DATA_DIRS="$work/data:/usr/local/share:/usr/share" XDG_CONFIG_DIRS=/etc/xdg
  XDG_CURRENT_DESKTOP=MATE DBUS_SESSION_BUS_ADDRESS="$bus" NO_AT_BRIDGE=1)
# Commands in the background are written out, so that $! is their own id.
as_session() { "${as_user[@]}" "${user_env[@]}" "$@"; }

"${as_user[@]}" "${user_env[@]}" dbus-daemon --session --nofork --address="$bus" >"$work/bus.log" 2>&1 &
bus_pid=$!
for _ in $(seq 1 100); do [ -S "$work/runtime/bus" ] && break; sleep 0.1; done
[ -S "$work/runtime/bus" ] || fail "the session bus did not start: $(cat "$work/bus.log")"
as_session gsettings set org.mate.screensaver lock-enabled false &&
  as_session gsettings set org.mate.screensaver mode single &&
  as_session gsettings set org.mate.screensaver themes "['screensavers-halvenrode']" ||
  fail "the settings could not be written"

# Waits up to 20 s for a saver process and prints its id.
started_saver() {
  local pid
  for _ in $(seq 1 200); do
    pid="$(pgrep -f "^$work/bin/halvenrode-saver --root" | head -1)"
    [ -n "$pid" ] && { echo "$pid"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits up to 10 s for saver $1 to end and for its stand-in to write down
# run number $2's status.
saver_ended() {
  for _ in $(seq 1 100); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$1" 2>/dev/null && return 1
  for _ in $(seq 1 50); do
    [ "$(wc -l <"$statuses" 2>/dev/null || echo 0)" -ge "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

# True once the screen (or host window $2 only) shows saver $1's scene, not
# black (up to 20 s).
scene_shown() {
  local black
  for _ in $(seq 1 100); do
    sleep 0.2
    kill -0 "$1" 2>/dev/null || fail "the saver ended while shown"
    "$build/halvenrode-grab" "$work/screen.png" ${2:+"$2"} || continue
    black="$("$build/halvenrode-pngstats" "$work/screen.png" | awk '/^black/ {print $2}')"
    awk -v b="$black" 'BEGIN { exit !(b < 0.5) }' && return 0
  done
  return 1
}

# The settings dialog lists the themes of the desktop entries and selects
# the configured one; selecting it starts its preview, so a preview of the
# saver means the dialog lists it under the configured id.
"${as_user[@]}" "${user_env[@]}" mate-screensaver-preferences >"$work/preferences.log" 2>&1 &
prefs_pid=$!
preview="$(started_saver)" || fail "the settings dialog did not preview the saver: $(tail -3 "$work/preferences.log")"
sdl_expect_in "$preview"
area="$(tr '\0' '\n' <"/proc/$preview/environ" | sed -n 's/^XSCREENSAVER_WINDOW=//p')"
[ -n "$area" ] || fail "the preview runs without a host window"
scene_shown "$preview" "$area" || fail "the preview stayed black"
[ -n "$shots" ] && { sleep 3; "$build/halvenrode-grab" "$shots/mate-preferences.png"; }
dialog="$(xdotool search --onlyvisible --pid "$prefs_pid" 2>/dev/null | head -1)"
[ -n "$dialog" ] && timeout 10 xdotool windowfocus --sync "$dialog" key Escape
for _ in $(seq 1 100); do kill -0 "$prefs_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$prefs_pid" 2>/dev/null && fail "the settings dialog did not close"
prefs_pid=
saver_ended "$preview" 1 || fail "the preview kept running after the dialog closed"

"${as_user[@]}" "${user_env[@]}" mate-screensaver --no-daemon --debug >"$work/daemon.log" 2>&1 &
daemon_pid=$!
owned() {
  as_session dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.mate.ScreenSaver 2>/dev/null | grep -q 'boolean true'
}
for _ in $(seq 1 100); do
  owned && break
  kill -0 "$daemon_pid" 2>/dev/null || fail "the daemon exited"
  sleep 0.1
done
owned || fail "the daemon does not answer on the session bus"

for cycle in $(seq 1 "$cycles"); do
  as_session mate-screensaver-command --activate >/dev/null 2>&1 || fail "cycle $cycle: activate was refused"
  saver="$(started_saver)" || fail "cycle $cycle: the daemon did not start the saver"
  if [ "$cycle" = 1 ]; then
    sdl_expect_in "$saver"
    scene_shown "$saver" || fail "the screen stayed black"
    [ -n "$shots" ] && { sleep 5; "$build/halvenrode-grab" "$shots/mate-active.png"; }
  else
    sleep 1  # drawing when the daemon takes the window away
  fi
  as_session mate-screensaver-command --deactivate >/dev/null 2>&1 || fail "cycle $cycle: deactivate was refused"
  saver_ended "$saver" $((cycle + 1)) || fail "cycle $cycle: the saver kept running after deactivation"
  kill -0 "$daemon_pid" 2>/dev/null || fail "cycle $cycle: the daemon exited"
done

# Everything stops as a session ends: the daemon on request, then the bus,
# which takes the settings service with it.
as_session mate-screensaver-command --exit >/dev/null 2>&1
for _ in $(seq 1 100); do kill -0 "$daemon_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$daemon_pid" 2>/dev/null && fail "the daemon did not exit on request"
daemon_pid=
kill "$bus_pid"
for _ in $(seq 1 50); do kill -0 "$bus_pid" 2>/dev/null || break; sleep 0.1; done
bus_pid=
left=
for _ in $(seq 1 50); do
  left="$(our_processes)"
  [ -z "$left" ] && break
  sleep 0.1
done

runs=$((cycles + 1))
[ "$(wc -l <"$statuses")" = "$runs" ] || fail "$(wc -l <"$statuses") ends recorded for $runs runs"
failed="$(grep -cvx 0 "$statuses")"
errors="$(cat "$work/daemon.log" "$work/preferences.log" "$work/home/saver.log" 2>/dev/null | grep -c "X Error")"
echo "runs: $runs (1 preview, $cycles activations), ended with status 0: $((runs - failed)), X errors in the logs: $errors"
[ "$failed" = 0 ] || fail "$failed of $runs runs ended with another status: $(sort "$statuses" | uniq -c | tr '\n' ' ')"
[ "$errors" = 0 ] || fail "X errors in the logs: $(grep -h "X Error" "$work"/*.log "$work/home/saver.log" | head -3)"
[ -z "$left" ] || fail "left running: $(for pid in $left; do tr '\0' ' ' <"/proc/$pid/cmdline"; echo; done)"
echo "PASS: the MATE daemon listed, previewed and ran the saver $cycles times"
