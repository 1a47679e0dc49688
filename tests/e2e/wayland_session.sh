# Shell helpers that run a headless Wayland compositor for an end-to-end
# test, with its programs as an unprivileged user: sway refuses to run as
# root, and a test run as root must not hand a compositor the machine.
# Source this file; then
#   wl_session_start sway|weston WIDTH HEIGHT [plain|xwayland]
#                                               starts the compositor (weston,
#                                               and sway with "xwayland", with
#                                               Xwayland: wl_display); sway
#                                               adds the lines of
#                                               $wl_sway_extra to its
#                                               configuration (a bar, say)
#   wl_run COMMAND...                           runs a command in the session
#   wl_start LOG COMMAND...                     the same in the background,
#                                               output to LOG; sets wl_pid
#   wl_sway_command ARGUMENTS...                swaymsg to the session's sway
#   wl_screenshot FILE.png                      every output
#   wl_session_stop                             ends everything it started
# Every wait is bounded. The desktop's empty parts are magenta (sway's
# background, weston's background and panel), a colour the scene never
# has, so a picture shows how much of the output a program covers.

wl_pids=()
wl_work=
wl_kind=
wl_socket=
wl_display=
wl_pid=
wl_sway_extra=

# As root the session belongs to uid 65534 (nobody), through runuser;
# otherwise to the user running the test.
wl_user_prefix=()
[ "$(id -u)" = 0 ] && wl_user_prefix=(runuser -u "$(id -nu 65534)" --)

# The session's whole environment: nothing of the caller's leaks in but the
# dynamic linker's path, which chooses the SDL library under test.
wl_environment() {
  wl_vars=(PATH=/usr/bin:/bin HOME="$wl_work/home" XDG_RUNTIME_DIR="$wl_work/runtime"
    XDG_CONFIG_HOME="$wl_work/home/.config" XDG_CONFIG_DIRS="$wl_work/config"
    HALVENRODE_REGISTRY_FILE="$wl_work/no-registry.ini")
  [ -n "$wl_socket" ] && wl_vars+=(WAYLAND_DISPLAY="$wl_socket")
  [ -n "$wl_display" ] && wl_vars+=(DISPLAY="$wl_display")
  [ -n "${LD_LIBRARY_PATH:-}" ] && wl_vars+=(LD_LIBRARY_PATH="$LD_LIBRARY_PATH")
}

# Commands run in the session's home, where weston's screenshooter writes
# its pictures.
wl_run() {
  wl_environment
  (cd "$wl_work/home" && exec "${wl_user_prefix[@]}" env -i "${wl_vars[@]}" "$@")
}

wl_start() {
  local log="$1"
  shift
  wl_environment
  (cd "$wl_work/home" && exec "${wl_user_prefix[@]}" env -i "${wl_vars[@]}" "$@") >"$log" 2>&1 &
  wl_pid=$!
  wl_pids+=("$wl_pid")
}

# The id of the program's own process: as root, wl_pid is runuser's (which
# would answer a signal with one of its own and a SIGKILL two seconds later).
wl_program_pid() {
  local child
  [ "$(id -u)" = 0 ] || { echo "$1"; return 0; }
  for _ in $(seq 1 50); do
    child="$(pgrep -P "$1" | head -1)"
    [ -n "$child" ] && { echo "$child"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits up to $2 tenths of a second for file $1 to exist.
wl_wait_for() {
  for _ in $(seq 1 "$2"); do
    [ -e "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# sway's own background program (swaybg) draws the magenta, unless the
# third argument is "plain": a background of the test's own would lie under
# it, and sway's empty output is a plain grey. With "xwayland" sway starts
# Xwayland at once and writes its display into the session's home.
wl_start_sway() {
  local background="bg #ff00ff solid_color" xwayland="xwayland disable"
  [ "${3:-}" = plain ] && background=
  [ "${3:-}" = xwayland ] && xwayland="xwayland force
exec echo \$DISPLAY >$wl_work/home/display"
  cat >"$wl_work/sway.conf" <<CONFIG
output HEADLESS-1 resolution ${1}x${2} position 0 0 $background
output HEADLESS-2 resolution ${1}x${2} position $1 0 $background
$xwayland
default_border none
$wl_sway_extra
CONFIG
  wl_socket=wayland-1
  wl_start "$wl_work/compositor.log" env WLR_BACKENDS=headless WLR_RENDERER=pixman \
    WLR_LIBINPUT_NO_DEVICES=1 sway -c "$wl_work/sway.conf"
  wl_wait_for "$wl_work/runtime/$wl_socket" 200 || return 1
  # The output exists once sway answers on its own socket.
  for _ in $(seq 1 100); do
    wl_sway_command -t get_outputs 2>/dev/null | grep -q HEADLESS-1 && break
    sleep 0.1
  done
  [ "${3:-}" = xwayland ] || return 0
  wl_wait_for "$wl_work/home/display" 200 && wl_display="$(cat "$wl_work/home/display")"
  [ -n "$wl_display" ]
}

# swaymsg ARGUMENTS... to the session's sway (a second output of the
# configured size and place: create_output).
wl_sway_command() {
  wl_run env SWAYSOCK="$(ls "$wl_work"/runtime/sway-ipc.*.sock 2>/dev/null | head -1)" swaymsg "$@"
}

# Weston's desktop shell with its panel, and Xwayland, which weston starts
# on the first X client; the log names its display.
wl_start_weston() {
  cat >"$wl_work/weston.ini" <<CONFIG
[core]
idle-time=0
[shell]
background-color=0xffff00ff
panel-color=0xffff00ff
panel-position=top
locking=false
CONFIG
  wl_socket=wayland-halvenrode
  wl_start "$wl_work/compositor.log" weston --backend=headless-backend.so --use-pixman \
    --width="$1" --height="$2" --xwayland --debug -c "$wl_work/weston.ini" --socket="$wl_socket"
  wl_wait_for "$wl_work/runtime/$wl_socket" 200 || return 1
  for _ in $(seq 1 200); do
    wl_display="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$wl_work/compositor.log")"
    [ -n "$wl_display" ] && return 0
    sleep 0.1
  done
  return 1
}

# A working folder readable by the session's user, its runtime folder
# private to that user (mode 0700, as compositors require).
wl_session_start() {
  wl_kind="$1"
  wl_work="$(mktemp -d /tmp/halvenrode-wayland-XXXXXX)"
  mkdir -p "$wl_work/home/.config" "$wl_work/runtime" "$wl_work/config"
  chmod 755 "$wl_work"
  chmod 700 "$wl_work/runtime"
  [ "$(id -u)" = 0 ] && chown -R 65534:65534 "$wl_work/home" "$wl_work/runtime"
  case "$wl_kind" in
    sway) wl_start_sway "$2" "$3" "${4:-}" ;;
    weston) wl_start_weston "$2" "$3" ;;
    *) echo "wl_session_start: sway or weston" >&2; return 1 ;;
  esac
}

wl_screenshot() {
  case "$wl_kind" in
    sway) wl_run grim "$wl_work/home/screen.png" || return 1 ;;
    weston)
      rm -f "$wl_work"/home/wayland-screenshot-*.png
      wl_run timeout 20 weston-screenshooter >/dev/null 2>&1 || return 1
      mv "$(ls "$wl_work"/home/wayland-screenshot-*.png | head -1)" "$wl_work/home/screen.png" || return 1
      ;;
  esac
  cp "$wl_work/home/screen.png" "$1"
}

# The compositor's programs all have the session's runtime folder in their
# environment.
wl_session_processes() {
  local entry
  for entry in /proc/[0-9]*; do
    grep -qaF "XDG_RUNTIME_DIR=$wl_work/runtime" "$entry/environ" 2>/dev/null && echo "${entry#/proc/}"
  done
}

wl_session_stop() {
  [ -n "$wl_work" ] || return 0
  local pid
  for pid in "${wl_pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in $(wl_session_processes); do kill "$pid" 2>/dev/null; done
  for _ in $(seq 1 30); do
    [ -z "$(wl_session_processes)" ] && break
    sleep 0.1
  done
  for pid in $(wl_session_processes); do kill -9 "$pid" 2>/dev/null; done
  wl_pids=()
  rm -rf "$wl_work"
  wl_work=
}
