#!/usr/bin/env bash
# The full-screen saver on a desktop with a window manager and several
# monitors, and with monitors or a screen that change while it runs.
# Usage: desktop_e2e.sh CASE [WINDOW_MANAGER]
#   monitors_equal | monitors_unequal | monitors_xinerama   under the manager
#   monitors_change | screen_resized                        under openbox
# The desktop's bare parts are magenta, a colour the scene never has.
# Skipped (exit 77) when the window manager is not installed.
set -u
build="${HALVENRODE_BUILD:?}"
source="${HALVENRODE_SOURCE:?}"
. "$source/scripts/xvfb-lib.sh"
. "$source/tests/e2e/sdl_choice.sh"
sdl_choose

case_name="$1"
manager="${2:-openbox}"
work="$(mktemp -d /tmp/halvenrode-desktop-XXXXXX)"
saver_pid=
manager_pid=
nested_pid=
cleanup() {
  [ -n "$saver_pid" ] && kill -9 "$saver_pid" 2>/dev/null
  [ -n "$manager_pid" ] && kill "$manager_pid" 2>/dev/null
  [ -n "$nested_pid" ] && kill "$nested_pid" 2>/dev/null
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/stderr" ] && sed 's/^/saver stderr: /' "$work/stderr" >&2
  [ -f "$work/screen.png" ] && [ -n "${HALVENRODE_KEEP_FAILED:-}" ] && cp "$work/screen.png" "$HALVENRODE_KEEP_FAILED"
  exit 1
}

command -v "$manager" >/dev/null || { echo "SKIP: $manager is not installed"; exit 77; }

export XDG_CONFIG_DIRS="$work/config"
export XDG_CONFIG_HOME="$work/home-config"
export HALVENRODE_REGISTRY_FILE="$work/no-registry.ini"
export HOME="$work/home"
mkdir -p "$work/config" "$HOME"

# Splits the Xvfb screen into monitors: "X Y W H" per monitor.
split_screen() {
  local output n=0 first=yes
  output="$(xrandr --listmonitors | awk 'NR == 2 {print $NF}')"
  for monitor in "$@"; do
    set -- $monitor
    if [ -n "$first" ]; then
      xrandr --setmonitor "m$n" "$3/100x$4/100+$1+$2" "$output" >/dev/null 2>&1 || return 1
      first=
    else
      xrandr --setmonitor "m$n" "$3/100x$4/100+$1+$2" none >/dev/null 2>&1 || return 1
    fi
    n=$((n + 1))
  done
}

# A window manager on the display, with its decorations and focus rules,
# and the desktop bare in magenta.
start_manager() {
  xsetroot -solid magenta
  "$manager" >"$work/manager.log" 2>&1 &
  manager_pid=$!
  for _ in $(seq 1 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    kill -0 "$manager_pid" 2>/dev/null || fail "$manager did not start"
    sleep 0.1
  done
  fail "$manager did not take the screen"
}

# A nested X server of its own on the Xvfb, for Xinerama or a screen its
# host resizes; DISPLAY then names it.
start_nested() {
  local number
  number="$(xvfb_free_display)" || fail "no free display number"
  Xephyr ":$number" "$@" -noreset -nolisten tcp >"$work/xephyr.log" 2>&1 &
  nested_pid=$!
  host_display="$DISPLAY"
  export DISPLAY=":$number"
  for _ in $(seq 1 200); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  fail "Xephyr did not start"
}

screen_size() { xdpyinfo | awk '/dimensions:/ {print $2}'; }

# The saver's window: named after the saver, at the screen's corner.
saver_window() { xwininfo -root -tree | awk '/"Halvenrode"/ && /x[0-9]+\+0\+0 / {print $1; exit}'; }

# Waits (up to 60 s) until the saver's window covers the whole screen and
# holds the keyboard.
wait_for_cover() {
  local size
  size="$(screen_size)"
  for _ in $(seq 1 600); do
    kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended early"
    if xwininfo -root -tree | grep '"Halvenrode"' | grep -q " ${size}+0+0 " &&
       "$HALVENRODE_HOST_WINDOW" keyboard-taken; then
      sdl_expect_in "$saver_pid"
      return 0
    fi
    sleep 0.1
  done
  xwininfo -root -tree | grep -i halvenrode >&2
  fail "no window named Halvenrode covers the ${size} screen with the keyboard taken"
}

# Whether the rectangle X Y W H of the last picture looks like one of the
# overlays' dark blue plates (the calendar, the clock).
plate_at() {
  "$build/halvenrode-pngstats" "$work/screen.png" "$@" |
    awk '/^mean/ { exit !($4 - $2 > 20 && ($2 + $3 + $4) / 3 < 130) }'
}

# Whether monitor X Y W H of the last picture shows a whole picture of its
# own shape: the calendar in its top right corner and the clock in its
# bottom right one (both sized by the monitor's height), nothing of the
# bare desktop, and not black.
whole_picture_at() {
  local x="$1" y="$2" w="$3" h="$4" facts
  facts="$("$build/halvenrode-pngstats" "$work/screen.png" "$x" "$y" "$w" "$h")"
  awk '/^magenta/ && $2 > 0 { bad = 1 } /^black/ && $2 > 0.2 { bad = 1 } END { exit bad }' \
    <<<"$facts" || return 1
  plate_at $((x + w - h * 27 / 100)) $((y + h * 5 / 100)) $((h * 22 / 100)) $((h * 25 / 100)) &&
    plate_at $((x + w - h * 36 / 100)) $((y + h * 89 / 100)) $((h * 30 / 100)) $((h * 8 / 100))
}

# Waits (up to 60 s) until every monitor "X Y W H" given shows a whole
# picture of its own.
expect_pictures() {
  local window ok
  for _ in $(seq 1 120); do
    kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended early"
    window="$(saver_window)"
    ok=
    if [ -n "$window" ] && "$build/halvenrode-grab" "$work/screen.png" "$window" 2>/dev/null; then
      ok=yes
      for monitor in "$@"; do
        # shellcheck disable=SC2086
        whole_picture_at $monitor || { ok=; break; }
      done
    fi
    [ -n "$ok" ] && return 0
    sleep 0.5
  done
  fail "not a whole picture with its overlays on each of: $*"
}

start_saver() {
  "$build/halvenrode" 2>"$work/stderr" &
  saver_pid=$!
  wait_for_cover
}

# Escape ends the run with status 0 and nothing on stderr.
expect_escape_ends() {
  xdotool key Escape
  for _ in $(seq 1 600); do
    kill -0 "$saver_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$saver_pid" 2>/dev/null && fail "Escape did not end the run within 60 s"
  wait "$saver_pid"
  local status=$?
  saver_pid=
  [ "$status" = 0 ] || fail "status $status after Escape"
  [ ! -s "$work/stderr" ] || fail "output on stderr"
}

# The window's title, as task bars and window lists read it.
expect_title() {
  local window
  window="$(saver_window)"
  xprop -id "$window" WM_NAME _NET_WM_NAME | grep -c '"Halvenrode"' | grep -qx 2 ||
    fail "the window $window is not named Halvenrode: $(xprop -id "$window" WM_NAME _NET_WM_NAME)"
}

case "$case_name" in
  monitors_equal)
    xvfb_start 1280x480x24 || fail "no Xvfb"
    split_screen "0 0 640 480" "640 0 640 480" || fail "cannot split the screen"
    start_manager
    start_saver
    expect_title
    expect_pictures "0 0 640 480" "640 0 640 480"
    expect_escape_ends
    ;;
  monitors_unequal)
    # The second monitor smaller and placed lower, as a laptop beside a
    # larger screen often is.
    xvfb_start 1152x480x24 || fail "no Xvfb"
    split_screen "0 0 640 480" "640 56 512 384" || fail "cannot split the screen"
    start_manager
    start_saver
    expect_pictures "0 0 640 480" "640 56 512 384"
    expect_escape_ends
    ;;
  monitors_xinerama)
    xvfb_start 1400x600x24 || fail "no Xvfb"
    start_nested -screen 640x360 -screen 512x384 +xinerama
    start_manager
    start_saver
    expect_pictures "0 0 640 360" "640 0 512 384"
    expect_escape_ends
    ;;
  monitors_change)
    # One monitor split into two while the saver runs, then one taken away.
    xvfb_start 1280x480x24 || fail "no Xvfb"
    start_manager
    start_saver
    expect_pictures "0 0 1280 480"
    split_screen "0 0 640 480" "640 0 640 480" || fail "cannot split the screen"
    expect_pictures "0 0 640 480" "640 0 640 480"
    xrandr --delmonitor m1 >/dev/null 2>&1 || fail "cannot remove a monitor"
    expect_pictures "0 0 640 480"
    expect_escape_ends
    ;;
  screen_resized)
    # A nested server whose host window grows and shrinks, as a screen does
    # when a laptop is docked or a monitor turned.
    xvfb_start 1400x900x24 || fail "no Xvfb"
    start_nested -resizeable -screen 640x360
    start_manager
    start_saver
    expect_pictures "0 0 640 360"
    nested_window="$(DISPLAY="$host_display" xwininfo -root -tree | awk '/Xephyr/ {print $1; exit}')"
    for size in "900 500" "500 400"; do
      DISPLAY="$host_display" xdotool windowsize "$nested_window" $size || fail "cannot resize Xephyr"
      for _ in $(seq 1 100); do [ "$(screen_size)" = "${size/ /x}" ] && break; sleep 0.1; done
      wait_for_cover
      expect_pictures "0 0 $size"
    done
    expect_escape_ends
    ;;
  *)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name ${manager} on ${HALVENRODE_SDL:-classic}"
