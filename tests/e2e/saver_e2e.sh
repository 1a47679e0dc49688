#!/usr/bin/env bash
# End-to-end cases for the saver mode. Usage: saver_e2e.sh CASE
set -u
build="${HALVENRODE_BUILD:?}"
source="${HALVENRODE_SOURCE:?}"
. "$source/scripts/xvfb-lib.sh"
. "$source/tests/e2e/sdl_choice.sh"
sdl_choose

work="$(mktemp -d /tmp/halvenrode-e2e-XXXXXX)"
saver_pid=
host_PID=
cleanup() {
  [ -n "$saver_pid" ] && kill -9 "$saver_pid" 2>/dev/null
  [ -n "${host_PID:-}" ] && kill "${host_PID:-}" 2>/dev/null
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/stderr" ] && sed 's/^/saver stderr: /' "$work/stderr" >&2
  exit 1
}

# The saver reads settings from $XDG_CONFIG_DIRS (a folder of this test),
# with no file of the user's own, and no registry file, so it finds its
# archives beside the binary.
export XDG_CONFIG_DIRS="$work/config"
export XDG_CONFIG_HOME="$work/home-config"
export HALVENRODE_REGISTRY_FILE="$work/no-registry.ini"
mkdir -p "$work/config"

# Writes the machine-wide settings file through the settings program, with
# the mouse-motion flag given (on or off) and the display mode (default
# desktop); every other option keeps its default.
write_settings() {
  "$build/config.exe" --system --set exit-on-mouse-move="$1" display-mode="${2:-desktop}" \
    || fail "the settings program did not write the settings"
}

start_saver() {
  "$build/halvenrode" 2>"$work/stderr" &
  saver_pid=$!
}

# Waits (up to 30 s) until the saver's window of the given size (default
# 1024x768) is mapped at the origin, the keyboard is grabbed (keys reach the
# saver from then on) and it has drawn.
wait_for_window() {
  local size="${1:-1024x768}"
  for _ in $(seq 1 300); do
    kill -0 "$saver_pid" 2>/dev/null || fail "saver exited early"
    if xwininfo -root -tree 2>/dev/null | grep -q " ${size}+0+0" &&
       "$HALVENRODE_HOST_WINDOW" keyboard-taken; then
      sdl_expect_in "$saver_pid"
      sleep 0.3
      return 0
    fi
    sleep 0.1
  done
  fail "no full-screen window appeared"
}

# Waits up to $1 tenths of a second for the saver to end and sets
# exit_status to its status, or to "running".
wait_for_exit() {
  local tenths="$1"
  exit_status=running
  for _ in $(seq 1 "$tenths"); do
    if ! kill -0 "$saver_pid" 2>/dev/null; then
      wait "$saver_pid"
      exit_status=$?
      saver_pid=
      return 0
    fi
    sleep 0.1
  done
}

still_running() { kill -0 "$saver_pid" 2>/dev/null; }

# A process that is neither gone nor a zombie waiting to be reaped.
alive() { [ -e "/proc/$1" ] && [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" != Z ]; }

# Starts the stand-in host with a window of the given size (and "grab" to
# hold the keyboard and pointer); sets $window to its id.
start_host() {
  coproc host { exec "$HALVENRODE_HOST_WINDOW" "$@"; }
  read -r -t 10 window <&"${host[0]}" || fail "the host window did not appear"
}

# Waits up to 20 s until the saver has drawn into the host window (it is no
# longer all white).
wait_for_drawing() {
  for _ in $(seq 1 100); do
    still_running || fail "saver exited early"
    "$build/halvenrode-grab" "$work/host.png" "$window" || fail "cannot read the host window"
    if ! "$build/halvenrode-pngstats" "$work/host.png" | grep -q "^white 1.000"; then
      sdl_expect_in "$saver_pid"
      return 0
    fi
    sleep 0.2
  done
  fail "nothing was drawn into the host window"
}

# How many top-level windows are mapped and viewable (libraries may keep
# unmapped helper windows of their own).
viewable_top_level_windows() {
  local id count=0
  for id in $(xwininfo -root -children | awk '/^ *0x/ {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && count=$((count + 1))
  done
  echo "$count"
}

# The fraction of black pixels in a rectangle X Y W H of the host window.
black_in() {
  "$build/halvenrode-grab" "$work/host.png" "$window" || fail "cannot read the host window"
  "$build/halvenrode-pngstats" "$work/host.png" "$@" | awk '/^black/ {print $2}'
}

# Two 640x480 monitors side by side: the saver's window covers both (a
# window of the whole screen is mapped and the keyboard taken), and after
# a while each monitor shows the whole scene: neither is black, and the two
# pictures are the same but for a few edge pixels (one picture stretched
# across both differs in most of them). Escape ends the run.
expect_a_picture_on_each_monitor() {
  local black differing window
  start_saver
  wait_for_window 1280x480
  # The saver's own window: some GL visuals (a DirectColor one, as SDL 2
  # takes on a nested server) cannot be read through the root window there.
  window="$(xwininfo -root -tree | awk '/ 1280x480\+0\+0/ {print $1; exit}')"
  sleep 3
  for _ in $(seq 1 50); do
    "$build/halvenrode-grab" "$work/screen.png" "$window" || fail "cannot read the saver's window"
    black="$("$build/halvenrode-pngstats" "$work/screen.png" | awk '/^black/ {print $2}')"
    differing="$("$build/halvenrode-pngstats" "$work/screen.png" --compare 0 0 640 0 640 480 |
                 awk '{print $2}')"
    awk -v b="$black" -v d="$differing" 'BEGIN { exit !(b < 0.2 && d < 0.02) }' && break
    sleep 0.2
  done
  echo "black $black, the monitors' pictures differ in $differing of their pixels"
  awk -v b="$black" 'BEGIN { exit !(b < 0.2) }' || fail "the screen is black ($black)"
  awk -v d="$differing" 'BEGIN { exit !(d < 0.02) }' || fail "the monitors show different pictures ($differing)"
  [ -n "${HALVENRODE_SCREENSHOT:-}" ] && cp "$work/screen.png" "$HALVENRODE_SCREENSHOT"
  xdotool key Escape
  expect_clean_end 100
}

# Fails unless the saver ends within $1 tenths of a second with status 0
# and nothing on stderr.
expect_clean_end() {
  wait_for_exit "$1"
  [ "$exit_status" = 0 ] || fail "status $exit_status, expected 0 within $1 tenths of a second"
  [ ! -s "$work/stderr" ] || fail "output on stderr"
}

case "$1" in
  fullscreen_at_desktop_size)
    xvfb_start 1280x800x24 || fail "no Xvfb"
    start_saver
    wait_for_window 1280x800
    [ "$("$build/halvenrode-grab" --cursor)" = hidden ] || fail "the cursor is visible"
    xdotool key Escape
    wait_for_exit 100; [ "$exit_status" = 0 ] || fail "did not end on Escape"
    ;;
  escape_ends_with_status_0)
    xvfb_start 1024x768x24 || fail "no Xvfb"
    start_saver
    wait_for_window
    xdotool key Escape
    wait_for_exit 100
    [ "$exit_status" = 0 ] || fail "status after Escape: $exit_status"
    ;;
  other_input_is_ignored)
    xvfb_start 1024x768x24 || fail "no Xvfb"
    start_saver
    wait_for_window
    xdotool key a key space key Return click 1 click 3
    sleep 1
    still_running || fail "a key other than Escape or a button ended the run"
    xdotool key Escape
    wait_for_exit 100; [ "$exit_status" = 0 ] || fail "did not end on Escape"
    ;;
  mouse_motion_ends_only_after_grace_with_flag)
    write_settings on
    xvfb_start 1024x768x24 || fail "no Xvfb"
    start="$(date +%s%N)"
    start_saver
    wait_for_window
    elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
    # Motion while the saver is surely inside its first 3000 ms.
    if [ "$elapsed_ms" -lt 2000 ]; then
      xdotool mousemove 100 100 mousemove 300 300
      sleep 0.5
      still_running || fail "motion within the first 3 s ended the run"
    fi
    sleep 3
    xdotool mousemove 500 500 mousemove 520 530
    wait_for_exit 100; [ "$exit_status" = 0 ] || fail "motion after 3 s did not end the run"
    ;;
  mouse_motion_ends_with_command_line_flag)
    # The option wins over the file, whose flag is clear.
    write_settings off
    xvfb_start 1024x768x24 || fail "no Xvfb"
    "$build/halvenrode" --exit-on-mouse-move 2>"$work/stderr" &
    saver_pid=$!
    wait_for_window
    sleep 3.2
    xdotool mousemove 500 500 mousemove 520 530
    wait_for_exit 100; [ "$exit_status" = 0 ] || fail "motion after 3 s did not end the run"
    ;;
  mouse_motion_ignored_without_flag)
    write_settings off
    xvfb_start 1024x768x24 || fail "no Xvfb"
    start_saver
    wait_for_window
    sleep 3.2
    xdotool mousemove 100 100 mousemove 400 400
    sleep 1
    still_running || fail "motion ended the run although the flag is clear"
    xdotool key Escape
    wait_for_exit 100; [ "$exit_status" = 0 ] || fail "did not end on Escape"
    ;;
  sigterm_ends_with_status_0)
    xvfb_start 1024x768x24 || fail "no Xvfb"
    start_saver
    wait_for_window
    kill -TERM "$saver_pid"
    expect_clean_end 10
    ;;
  signal_in_grab_wait_ends_the_saver)
    # Another client holds the keyboard and pointer: the saver's window is
    # up, but it waits for the grab. A signal still ends it at once.
    xvfb_start 1024x768x24 || fail "no Xvfb"
    start_host 50 50 grab
    start_saver
    wait_for_window
    sleep 0.5
    kill -TERM "$saver_pid"
    expect_clean_end 30
    ;;
  no_display_fails_cleanly)
    unset DISPLAY
    "$build/halvenrode" >"$work/stdout" 2>"$work/stderr"
    status=$?
    [ "$status" = 1 ] || fail "exit status $status, expected 1"
    grep -q "^Video initialization failed: ." "$work/stderr" || fail "no failure message"
    [ "$(wc -l <"$work/stderr")" -le 2 ] || fail "more than the message on stderr"
    [ ! -s "$work/stdout" ] || fail "output on stdout"
    ;;
  command_line_usage)
    # Help and version need no display; every message ends its line.
    xvfb_start 640x480x24 || fail "no Xvfb"
    for display in "$DISPLAY" ""; do
      DISPLAY="$display" "$build/halvenrode" --help >"$work/stdout" 2>"$work/stderr"
      status=$?
      [ "$status" = 0 ] || fail "--help with DISPLAY='$display': status $status"
      grep -q -- "--clock=digital|analog|none" "$work/stdout" || fail "--help lists no options"
      [ ! -s "$work/stderr" ] || fail "--help wrote to stderr"
      [ -z "$(tail -c 1 "$work/stdout")" ] || fail "--help does not end with a newline"
    done
    "$build/halvenrode" --version >"$work/stdout" 2>&1 || fail "--version failed"
    grep -qx "halvenrode [0-9][0-9.]*" "$work/stdout" || fail "--version printed $(cat "$work/stdout")"
    for words in "--bogus" "--root --clock=sideways" "--window-id"; do
      # shellcheck disable=SC2086
      "$build/halvenrode" $words >"$work/stdout" 2>"$work/stderr"
      status=$?
      [ "$status" = 2 ] || fail "'$words': status $status, expected 2"
      [ ! -s "$work/stdout" ] || fail "'$words' wrote to stdout"
      grep -q -- "--help" "$work/stderr" || fail "'$words' does not point to --help"
      [ -z "$(tail -c 1 "$work/stderr")" ] || fail "'$words': the message does not end with a newline"
    done
    ;;
  draws_into_host_window_from_environment|draws_into_host_window_from_command_line)
    xvfb_start 1024x768x24 || fail "no Xvfb"
    start_host 320 240
    before="$(viewable_top_level_windows)"
    if [ "$1" = draws_into_host_window_from_environment ]; then
      XSCREENSAVER_WINDOW="$window" "$build/halvenrode" 2>"$work/stderr" &
    else
      "$build/halvenrode" --window-id "$window" 2>"$work/stderr" &
    fi
    saver_pid=$!
    # The white host window turns into the saver's picture.
    wait_for_drawing
    xwininfo -root -tree | grep -q " 1024x768+0+0" && fail "a full-screen window appeared"
    after="$(viewable_top_level_windows)"
    [ "$after" = "$before" ] || fail "a new top-level window appeared ($before -> $after)"
    kill -TERM "$saver_pid"
    expect_clean_end 10
    kill "${host_PID:-}" 2>/dev/null
    ;;
  unusable_host_window_is_an_error)
    xvfb_start 1024x768x24 || fail "no Xvfb"
    start_host 50 50
    kill "${host_PID:-}"  # a window id that existed and is gone
    wait "${host_PID:-}" 2>/dev/null
    sleep 0.3
    for asked in "--window-id abc" "--window-id 0" "--window-id -1" "--window-id" \
                 "--window-id $window" "XSCREENSAVER_WINDOW=12345" "XSCREENSAVER_WINDOW=0x"; do
      case "$asked" in
        XSCREENSAVER_WINDOW=*) env "$asked" "$build/halvenrode" 2>"$work/stderr" & ;;
        *) "$build/halvenrode" $asked 2>"$work/stderr" & ;;
      esac
      saver_pid=$!
      wait_for_exit 50
      # A missing value is a usage mistake (status 2); the rest, status 1.
      if [ "$asked" = --window-id ]; then
        [ "$exit_status" = 2 ] || fail "$asked: status $exit_status, expected 2"
      else
        [ "$exit_status" = 1 ] || fail "$asked: status $exit_status, expected 1"
        [ "$(wc -l <"$work/stderr")" = 1 ] || fail "$asked: not one line on stderr"
        grep -q "^halvenrode: cannot draw into a host window: " "$work/stderr" || fail "$asked: no reason"
      fi
      xwininfo -root -tree | grep -q " 1024x768+0+0" && fail "$asked: a full-screen window appeared"
    done
    ;;
  follows_the_host_window_size)
    # Grown from 1 x 1, then to 640 x 480: the picture fills the window each
    # time, not only the lower-left corner of the size it started at.
    xvfb_start 1024x768x24 || fail "no Xvfb"
    start_host 1 1
    "$build/halvenrode" --window-id "$window" 2>"$work/stderr" &
    saver_pid=$!
    sleep 2
    for size in "400 300" "640 480"; do
      xdotool windowsize "$window" $size || fail "cannot resize the host window"
      filled=
      for _ in $(seq 1 50); do
        sleep 0.2
        still_running || fail "saver exited early"
        # The top rows lie outside the size the saver had before.
        black="$(black_in 0 0 ${size% *} 100)"
        if awk -v b="$black" 'BEGIN { exit !(b < 0.2) }'; then filled=yes; break; fi
      done
      [ -n "$filled" ] || fail "the window grown to $size is black at the top ($black)"
    done
    kill -TERM "$saver_pid"
    expect_clean_end 10
    ;;
  host_window_destroyed_ends_with_status_0)
    xvfb_start 1024x768x24 || fail "no Xvfb"
    # The host may take the window back while the saver still sets up
    # (SDL looking at the window, the context, the first swap): each moment
    # ends the saver quietly too. A saver slow to start may find the window
    # gone before its first look, which it cannot tell from a wrong id: then
    # it says so in its one line, with status 1.
    for delay in 0.05 0.1 0.15 0.2 0.3; do
      start_host 320 240
      "$build/halvenrode" --window-id "$window" 2>"$work/stderr" &
      saver_pid=$!
      sleep "$delay"
      kill "${host_PID:-}"; wait "${host_PID:-}" 2>/dev/null
      wait_for_exit 50
      if [ "$exit_status" = 1 ] && [ "$(wc -l <"$work/stderr")" = 1 ] &&
         grep -q "^halvenrode: cannot draw into a host window: .* does not exist" "$work/stderr"; then
        continue
      fi
      [ "$exit_status" = 0 ] || fail "gone after ${delay} s: status $exit_status, expected 0"
      [ ! -s "$work/stderr" ] || fail "gone after ${delay} s: output on stderr"
    done
    start_host 320 240
    "$build/halvenrode" --window-id "$window" 2>"$work/stderr" &
    saver_pid=$!
    wait_for_drawing
    kill "${host_PID:-}"  # the host's windows go with its connection
    expect_clean_end 50
    ;;
  display_mode_larger_than_screen_falls_back)
    write_settings off 1600x1200
    xvfb_start 800x600x24 || fail "no Xvfb"
    start_saver
    wait_for_window 800x600
    [ "$(cat "$work/stderr")" = "halvenrode: the display mode 1600x1200 is larger than the screen; using 800x600" ] \
      || fail "not the one-line warning"
    xdotool key Escape
    wait_for_exit 100; [ "$exit_status" = 0 ] || fail "did not end on Escape"
    ;;
  closed_standard_error_is_not_the_display)
    # Started with standard error closed, the saver's warning about a display
    # mode larger than the screen goes nowhere, not into the display
    # connection that would otherwise take its number, and Escape ends it.
    xvfb_start 1024x768x24 || fail "no Xvfb"
    "$build/halvenrode" --display-mode=1600x1200 2>&- &
    saver_pid=$!
    wait_for_window
    [ "$(readlink "/proc/$saver_pid/fd/2")" = /dev/null ] || fail "standard error is not /dev/null"
    xdotool key Escape
    wait_for_exit 100
    [ "$exit_status" = 0 ] || fail "status $exit_status, expected 0 within 10 s of Escape"
    ;;
  output_that_cannot_be_written_fails)
    # What a program prints for a user or a script (help, version, the
    # settings, an archive's listing, a picture's facts) is its result: on a
    # full disk or a closed stream it fails and says so.
    xvfb_start 640x480x24 || fail "no Xvfb"
    "$build/halvenrode-grab" "$work/screen.png" || fail "cannot read the screen"
    for command in "halvenrode --help" "halvenrode --version" "config.exe --show" \
                   "config.exe --version" "halvenrode-pak list $build/clock.pak" \
                   "halvenrode-pngstats $work/screen.png" "halvenrode-grab --cursor"; do
      for output in full closed; do
        # shellcheck disable=SC2086
        if [ "$output" = full ]; then
          $build/$command >/dev/full 2>"$work/stderr"
        else
          $build/$command >&- 2>"$work/stderr"
        fi
        status=$?
        [ "$status" != 0 ] || fail "'$command' with a $output output: status 0"
        [ "$(wc -l <"$work/stderr")" = 1 ] && grep -q ": cannot write the output" "$work/stderr" \
          || fail "'$command' with a $output output: not the one line saying so"
      done
    done
    ;;
  words_that_are_no_options_are_skipped)
    # A host's own words, such as the "/p:123456" an old launcher passes,
    # leave the options around them in force and the saver runs.
    xvfb_start 1024x768x24 || fail "no Xvfb"
    for words in "/p:123456 --fps" "-p 123456" "--fps x"; do
      # shellcheck disable=SC2086
      "$build/halvenrode" $words 2>"$work/stderr" &
      saver_pid=$!
      wait_for_window
      xdotool key Escape
      expect_clean_end 100
    done
    ;;
  unreadable_archive_is_named)
    # Archives from a folder of this test; main.pak missing, a folder or a
    # pipe each end the saver with status 1 and one line naming it.
    xvfb_start 1024x768x24 || fail "no Xvfb"
    mkdir -p "$work/install"
    for archive in utils.pak clock.pak calendar.pak; do ln -s "$build/$archive" "$work/install/"; done
    printf '[Software\\Quorvel\\Halvenrode\\Settings]\nPath=%s/\n' "$work/install" >"$HALVENRODE_REGISTRY_FILE"
    for kind in missing folder pipe; do
      rm -rf "$work/install/main.pak"
      case "$kind" in
        folder) mkdir "$work/install/main.pak" ;;
        pipe) mkfifo "$work/install/main.pak" ;;
      esac
      start_saver
      wait_for_exit 200
      [ "$exit_status" = 1 ] || fail "main.pak $kind: status $exit_status, expected 1"
      [ "$(wc -l <"$work/stderr")" = 1 ] || fail "main.pak $kind: not one line on stderr"
      grep -q "cannot read the archive main.pak: $work/install/main.pak " "$work/stderr" \
        || fail "main.pak $kind: the line does not name the file and where it was looked for"
    done
    ;;
  settings_pipe_or_missing_folder_gives_the_defaults)
    # Reading never blocks on a pipe and never makes a folder.
    xvfb_start 1024x768x24 || fail "no Xvfb"
    mkfifo "$work/config/Quorvel_Halvenrode_cfg"
    start_saver
    wait_for_window
    kill -TERM "$saver_pid"
    expect_clean_end 30
    export XDG_CONFIG_DIRS="$work/none/a/b"
    start_saver
    wait_for_window
    kill -TERM "$saver_pid"
    expect_clean_end 30
    [ ! -e "$work/none" ] || fail "reading the settings made a folder"
    [ ! -e "$XDG_CONFIG_HOME" ] || fail "reading the user's settings made a folder"
    ;;
  launcher_child_ends_with_the_launcher)
    # The launcher's child is the saver; ending the launcher ends it too.
    xvfb_start 1024x768x24 || fail "no Xvfb"
    for signal in TERM HUP INT; do
      env --default-signal=INT "$build/halvenrode" /s 2>"$work/stderr" &
      launcher=$!
      saver_pid=
      for _ in $(seq 1 100); do
        saver_pid="$(pgrep -P "$launcher")" && break
        sleep 0.1
      done
      [ -n "$saver_pid" ] || fail "the launcher started no saver"
      wait_for_window
      kill "-$signal" "$launcher"
      wait "$launcher" 2>/dev/null
      for _ in $(seq 1 30); do alive "$saver_pid" || break; sleep 0.1; done
      alive "$saver_pid" && fail "the saver outlived its launcher ended by SIG$signal"
    done
    saver_pid=
    # A saver program that is not there is reported, and fails the launcher.
    mkdir -p "$work/install"
    printf '[Software\\Quorvel\\Halvenrode\\Settings]\nPath=%s/\n' "$work/install" >"$HALVENRODE_REGISTRY_FILE"
    "$build/halvenrode" /s 2>"$work/stderr"
    status=$?
    [ "$status" = 1 ] || fail "missing saver program: status $status, expected 1"
    grep -q "cannot start $work/install/Halvenrode.exe" "$work/stderr" || fail "no message for the missing program"
    ;;
  two_randr_monitors_each_show_the_whole_scene)
    # One screen split into two monitors, as a user's xrandr --setmonitor
    # or a driver that shows two outputs as one screen does.
    xvfb_start 1280x480x24 || fail "no Xvfb"
    output="$(xrandr --listmonitors | awk 'NR == 2 {print $NF}')"
    xrandr --setmonitor left 640/169x480/127+0+0 "$output" >/dev/null 2>&1 &&
      xrandr --setmonitor right 640/169x480/127+640+0 none >/dev/null 2>&1 ||
      fail "cannot split the screen into monitors"
    [ "$(xrandr --listmonitors | head -1)" = "Monitors: 2" ] || fail "not two monitors"
    expect_a_picture_on_each_monitor
    ;;
  two_xinerama_screens_each_show_the_whole_scene)
    # Two screens joined by Xinerama, nested in a private Xvfb: the server
    # then leaves RandR describing the first screen only.
    xvfb_start 1400x600x24 || fail "no Xvfb"
    nested="$(xvfb_free_display)" || fail "no free display number"
    Xephyr ":$nested" -screen 640x480 -screen 640x480 +xinerama -noreset -nolisten tcp \
      >"$work/xephyr.log" 2>&1 &
    host_PID=$!
    export DISPLAY=":$nested"
    for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo -ext XINERAMA 2>/dev/null | grep -q "head #1" || fail "Xephyr did not start with two heads"
    expect_a_picture_on_each_monitor
    ;;
  x_server_gone_while_starting_fails_cleanly)
    # The X server ends while the saver starts: at fixed moments, and each
    # time OpenGL's X-side library has just come in (the saver maps it),
    # where the SDL built on SDL 2 ended with a segmentation fault inside
    # Mesa in most runs. Every time the saver ends with status 1 and the
    # short message of a lost server, never by a signal.
    for moment in 0.05 0.15 0.3 gl gl gl gl gl gl; do
      xvfb_start 1024x768x24 || fail "no Xvfb"
      start_saver
      if [ "$moment" = gl ]; then
        for _ in $(seq 1 3000); do
          grep -q "libGLX_" "/proc/$saver_pid/maps" 2>/dev/null || ! still_running && break
        done
      else
        sleep "$moment"
      fi
      xvfb_stop
      wait_for_exit 100
      [ "$exit_status" = 1 ] || fail "server gone at $moment: status $exit_status, expected 1"
      lines="$(wc -l <"$work/stderr")"
      [ "$lines" -ge 1 ] && [ "$lines" -le 2 ] || fail "server gone at $moment: $lines lines on stderr"
    done
    ;;
  started_processes_end_with_the_saver)
    # A bare X session: no session bus, none in the runtime folder, so the
    # D-Bus library SDL 2 uses would start a bus daemon of its own. Every
    # process the saver starts carries a mark in its environment; none is
    # left once the saver has ended.
    xvfb_start 1024x768x24 || fail "no Xvfb"
    unset DBUS_SESSION_BUS_ADDRESS
    mkdir -m 700 "$work/runtime" "$work/home"
    export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
    mark="HALVENRODE_STARTED_IN=$work"
    marked() { grep -lsaF "$mark" /proc/[0-9]*/environ | cut -d/ -f3; }
    env "$mark" "$build/halvenrode" 2>"$work/stderr" &
    saver_pid=$!
    wait_for_window
    xdotool key Escape
    expect_clean_end 100
    for _ in $(seq 1 30); do [ -z "$(marked)" ] && break; sleep 0.1; done
    left="$(marked)"
    if [ -n "$left" ]; then
      described="$(for pid in $left; do tr '\0' ' ' <"/proc/$pid/cmdline"; echo; done)"
      # shellcheck disable=SC2086
      kill $left 2>/dev/null
      fail "processes outlived the saver: $described"
    fi
    ;;
  *)
    fail "unknown case $1"
    ;;
esac
echo "PASS: $1"
