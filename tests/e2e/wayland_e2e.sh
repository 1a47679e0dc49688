#!/usr/bin/env bash
# The saver on a Wayland desktop, under headless compositors (see
# wayland_session.sh). Usage: wayland_e2e.sh CASE
#   sway_full_screen            natively, on the SDL 1.2 built on SDL 2,
#                               with no driver chosen in the environment,
#                               under an idle daemon that must still hear
#                               of input while the saver runs
#   weston_full_screen          on the SDL 1.2 built on SDL 2, with no
#                               driver chosen, under weston with Xwayland:
#                               SDL 2's Wayland video crashes there, so the
#                               saver runs through Xwayland
#   weston_xwayland_full_screen through Xwayland, on a seat with no pointer
#   sway_xwayland_full_screen   through Xwayland under sway
#   sway_background             --background: the desktop's background, on
#                               an output made later as well, drawn by
#                               halvenrode-background in the same process,
#                               under sway's bar (swaybar at the top, with a
#                               transparent background so that what lies
#                               under it shows), which hides no overlay
# Each case waits until a screenshot shows the scene over the whole output
# (no desktop left, not black), then ends the program with SIGTERM
# and expects status 0 and nothing on stderr. Skipped (exit 77) when the
# compositor is not installed.
set -u
build="${HALVENRODE_BUILD:?}"
source="${HALVENRODE_SOURCE:?}"
shots="${HALVENRODE_SCREENSHOT_DIR:-}"
. "$source/tests/e2e/sdl_choice.sh"
. "$source/tests/e2e/wayland_session.sh"

case_name="$1"
compositor=sway
case "$case_name" in weston_*) compositor=weston ;; esac
command -v "$compositor" >/dev/null || { echo "SKIP: $compositor is not installed"; exit 77; }
[ "$compositor" = sway ] && ! command -v grim >/dev/null && { echo "SKIP: grim is not installed"; exit 77; }

saver_pid=
trap 'wl_session_stop' EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -s "$wl_work/stderr" ] && sed 's/^/saver stderr: /' "$wl_work/stderr" >&2
  [ -n "$wl_work" ] && grep -E "EE|rror" "$wl_work/compositor.log" | tail -5 | sed 's/^/compositor: /' >&2
  exit 1
}
[ "$(id -u)" = 0 ] && ! runuser -u "$(id -nu 65534)" -- test -x "$build/halvenrode" &&
  { echo "SKIP: the build is not reachable by an unprivileged user"; exit 77; }

sdl_choose
desktop=
if [ "$case_name" = sway_background ]; then
  desktop=plain
  command -v swaybar >/dev/null || { echo "SKIP: swaybar is not installed"; exit 77; }
  wl_sway_extra="bar {
  position top
  colors {
    background #00000000
  }
}"
fi
[ "$case_name" = sway_xwayland_full_screen ] && desktop=xwayland
wl_session_start "$compositor" 640 480 $desktop || fail "$compositor did not start: $(tail -3 "$wl_work/compositor.log")"

# Whether each quarter of each 640x480 output in the screenshot shows a
# picture (many colours, not black; an empty desktop or an undrawn surface
# is one flat colour) and none of the desktop's magenta is left; $1 is the
# number of outputs, side by side.
scene_everywhere() {
  local corner stats x
  "$build/halvenrode-pngstats" "$wl_work/screen.png" | grep -qx "size $((640 * $1)) 480" || {
    seen="a screenshot of another size"
    return 1
  }
  for x in $(seq 0 320 $((640 * $1 - 320))); do for corner in "$x 0" "$x 240"; do
    # shellcheck disable=SC2086
    stats="$("$build/halvenrode-pngstats" "$wl_work/screen.png" $corner 320 240)" || return 1
    awk '/^magenta/ && $2 >= 0.001 { bad = 1 } /^black/ && $2 >= 0.5 { bad = 1 }
         /^colours/ && $2 < 200 { bad = 1 } END { exit bad }' <<<"$stats" || {
      seen="quarter at $corner: $(tr '\n' ' ' <<<"$stats")"
      return 1
    }
  done; done
}

# Waits up to 40 s until the screen ($1 outputs, default 1) shows the
# scene everywhere.
scene_covers_the_output() {
  local deadline=$((SECONDS + 40))
  seen="no screenshot"
  while [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.4
    kill -0 "$saver_pid" 2>/dev/null || fail "the saver ended early"
    wl_screenshot "$wl_work/screen.png" || continue
    scene_everywhere "${1:-1}" && return 0
  done
  fail "the scene does not cover the output ($seen)"
}

# The mean of a colour channel (1 red, 3 blue) in a rectangle X Y W H of
# the screenshot, in whole levels.
channel_mean() {
  "$build/halvenrode-pngstats" "$wl_work/screen.png" "${@:2}" |
    awk -v c="$1" '/^mean/ { printf "%d", $(c + 1) }'
}

# The calendar's panel is blue-grey, bluer than anything of the scene at
# noon (snow, trees, the train): some 45 levels more blue than red, where
# the scene has under 10. Waits up to 40 s until the calendar's columns
# show the panel right under the bar, and none of it behind the bar.
overlays_clear_of_the_bar() {
  local bar deadline=$((SECONDS + 40)) behind below
  seen="no bar"
  while [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.4
    kill -0 "$saver_pid" 2>/dev/null || fail "the background ended early"
    # The workspace's top edge is where the bar leaves the output free.
    bar="$(wl_sway_command -t get_workspaces | awk '/"rect"/ { r = 1 } r && /"y"/ { print $2 + 0; exit }')"
    [ "${bar:-0}" -gt 10 ] || continue
    wl_screenshot "$wl_work/screen.png" || continue
    behind=$(($(channel_mean 3 510 0 100 "$bar") - $(channel_mean 1 510 0 100 "$bar")))
    below=$(($(channel_mean 3 510 $((bar + 2)) 100 20) - $(channel_mean 1 510 $((bar + 2)) 100 20)))
    seen="bar of $bar rows; blue over red behind it $behind, below it $below"
    [ "$behind" -lt 20 ] && [ "$below" -gt 30 ] && return 0
  done
  fail "an overlay is under the bar or missing ($seen)"
}

# The saver ends with status 0 within 10 s of SIGTERM, quietly.
sigterm_ends_cleanly() {
  kill -TERM "$saver_pid"
  for _ in $(seq 1 100); do
    kill -0 "$wl_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$wl_pid" 2>/dev/null && fail "still running 10 s after SIGTERM"
  wait "$wl_pid"
  local status=$?
  [ "$status" = 0 ] || fail "status $status after SIGTERM"
  [ -s "$wl_work/stderr" ] && fail "output on stderr"
  return 0
}

arguments=()
[ "$case_name" = sway_background ] && arguments=(--background)
case "$case_name" in
  sway_full_screen | weston_full_screen | weston_xwayland_full_screen | sway_xwayland_full_screen | \
    sway_background) ;;
  *) fail "unknown case $case_name" ;;
esac
# swayidle as a user's recipe runs it: idle after a second without input,
# then the saver; its resume command (SIGTERM to the saver) needs to hear
# of the next input, which a saver holding an idle inhibitor would hide.
if [ "$case_name" = sway_full_screen ]; then
  wl_start "$wl_work/idle.log" swayidle timeout 1 "touch $wl_work/home/idle" \
    resume "touch $wl_work/home/resumed"
  wl_wait_for "$wl_work/home/idle" 100 || fail "swayidle never saw the session idle"
fi
wl_start "$wl_work/stderr" "$build/halvenrode" "${arguments[@]}"
saver_pid="$(wl_program_pid "$wl_pid")" || fail "the saver did not start"
scene_covers_the_output
sdl_expect_in "$saver_pid"
if [ "$case_name" = sway_full_screen ]; then
  wl_sway_command seat - cursor move 10 10 >/dev/null || fail "no input made"
  wl_wait_for "$wl_work/home/resumed" 100 || fail "the idle daemon did not hear of input"
fi
# An output that comes while the background runs gets one too. The
# saver's process became the background's own program, as the compositor
# started it: same process, the program that links the Wayland libraries.
if [ "$case_name" = sway_background ]; then
  [ "$(readlink "/proc/$saver_pid/exe")" = "$(readlink -f "$build/halvenrode-background")" ] ||
    fail "the drawing process is $(readlink "/proc/$saver_pid/exe"), not halvenrode-background"
  overlays_clear_of_the_bar
  wl_sway_command create_output >/dev/null || fail "sway made no second output"
  scene_covers_the_output 2
fi
# Through Xwayland the window manager says the saver's window is full
# screen (among the windows of the output's size, its frame among them):
# both compositors also let a plain window of that size cover the output,
# but not above their panels.
if [ -n "$wl_display" ]; then
  grep -q "Segmentation fault" "$wl_work/compositor.log" && fail "Xwayland crashed"
  full_screen=
  for window in $(wl_run xwininfo -root -tree | awk '/ 640x480\+0\+0/ {print $1}'); do
    wl_run xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN && full_screen=yes
  done
  [ -n "$full_screen" ] || fail "the window manager does not hold the window full screen"
fi
[ -n "$shots" ] && { sleep 3; wl_screenshot "$shots/wayland-$case_name.png"; }
sigterm_ends_cleanly
echo "PASS: $case_name"
