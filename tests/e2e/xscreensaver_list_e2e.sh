#!/usr/bin/env bash
# A user who has never saved XScreenSaver's settings runs
# `halvenrode-config --add-to-xscreensaver`; the real daemon then knows the
# saver by its number in the list and runs it, with the scene on the
# screen, and every program of the daemon's default list is still listed.
# A second run changes nothing. Skipped (exit 77) when the daemon is not
# installed or cannot start.
set -u
build="${HALVENRODE_BUILD:?}"
source="${HALVENRODE_SOURCE:?}"
. "$source/scripts/xvfb-lib.sh"
. "$source/tests/e2e/sdl_choice.sh"
sdl_choose

work="$(mktemp -d /tmp/halvenrode-xss-list-XXXXXX)"
daemon_pid=
saver=
cleanup() {
  xscreensaver-command -exit >/dev/null 2>&1
  [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null
  [ -n "$saver" ] && kill "$saver" 2>/dev/null
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/home/daemon.log" ] && tail -20 "$work/home/daemon.log" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

command -v xscreensaver >/dev/null || skip "xscreensaver is not installed"
app_defaults=
for candidate in /etc/X11/app-defaults/XScreenSaver /usr/share/X11/app-defaults/XScreenSaver; do
  [ -f "$candidate" ] && { app_defaults="$candidate"; break; }
done
[ -n "$app_defaults" ] || skip "xscreensaver is installed without its app-defaults file"

# The daemon finds the saver through PATH, as it would find it in its own
# folder; under a name of its own the saver's process is easy to tell.
mkdir -p "$work/bin" "$work/home"
ln -s "$build/halvenrode" "$work/bin/halvenrode-saver"
printf '#!/bin/sh\nexec "%s/bin/halvenrode-saver" "$@"\n' "$work" >"$work/bin/halvenrode"
chmod 755 "$work/bin/halvenrode"
export PATH="$work/bin:$PATH"
export HOME="$work/home"
export XDG_CONFIG_DIRS="$work/config"
export XDG_CONFIG_HOME="$work/home/.config"
export HALVENRODE_REGISTRY_FILE="$work/no-registry.ini"

# The daemon refuses to run its programs as root: as root, run it, the
# saver and the command as an unprivileged user, who owns the home folder.
as_user=()
if [ "$(id -u)" = 0 ]; then
  command -v setpriv >/dev/null || skip "running as root without setpriv"
  chmod 755 "$work" "$work/bin"
  chown -R 65534:65534 "$work/home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  "${as_user[@]}" test -x "$build/halvenrode" || skip "the build is not reachable by an unprivileged user"
fi

list="$HOME/.xscreensaver"
"${as_user[@]}" "$build/config.exe" --add-to-xscreensaver >"$work/first.txt" 2>&1 ||
  fail "the first run failed: $(cat "$work/first.txt")"
[ -f "$list" ] || fail "no $list was written"
cp "$list" "$work/after-first"
"${as_user[@]}" "$build/config.exe" --add-to-xscreensaver >"$work/second.txt" 2>&1 ||
  fail "the second run failed: $(cat "$work/second.txt")"
cmp -s "$list" "$work/after-first" || fail "the second run changed $list"
grep -q already "$work/second.txt" || fail "the second run did not say so: $(cat "$work/second.txt")"

# The entries of a "programs" setting, one a line, without the layout.
entries() {
  awk '/^\*?programs:/ { on = 1 } on { print; if (!/\\$/) exit }' "$1" |
    sed -e 's/^\*\{0,1\}programs://' -e 's/\\n\\\{0,1\}$//' -e 's/\\$//' \
        -e 's/[[:space:]]\{1,\}/ /g' -e 's/^ //' -e 's/ $//' | grep -v '^$'
}
entries "$app_defaults" >"$work/defaults.txt"
entries "$list" >"$work/listed.txt"
defaults="$(wc -l <"$work/defaults.txt")"
number="$(grep -nx 'GL: halvenrode --root' "$work/listed.txt" | cut -d: -f1)"
[ -n "$number" ] || fail "no entry for the saver in $list"
head -n "$defaults" "$work/listed.txt" | cmp -s - "$work/defaults.txt" ||
  fail "the daemon's default list was not kept: $(head -n "$defaults" "$work/listed.txt" | diff - "$work/defaults.txt" | head -5)"
[ "$number" = $((defaults + 1)) ] || fail "the saver is entry $number of $defaults + 1"
echo "the saver is entry $number, after the daemon's $defaults"

xvfb_start 800x600x24 || fail "no Xvfb"
"${as_user[@]}" xscreensaver -no-splash >"$HOME/daemon.log" 2>&1 &
daemon_pid=$!
for _ in $(seq 1 100); do
  xscreensaver-command -version >/dev/null 2>&1 && break
  kill -0 "$daemon_pid" 2>/dev/null || skip "the daemon exited: $(tail -1 "$HOME/daemon.log")"
  sleep 0.1
done
xscreensaver-command -version >/dev/null 2>&1 || skip "the daemon does not answer"

xscreensaver-command -select "$number" >/dev/null 2>&1 || fail "select $number was refused"
for _ in $(seq 1 200); do
  saver="$(pgrep -f "^$work/bin/halvenrode-saver --root" | head -1)"
  [ -n "$saver" ] && break
  sleep 0.1
done
[ -n "$saver" ] || fail "the daemon did not start the saver for entry $number"
sdl_expect_in "$saver"

# The scene, not the daemon's blank black (up to 20 s; the daemon fades in).
shown=
for _ in $(seq 1 100); do
  sleep 0.2
  kill -0 "$saver" 2>/dev/null || fail "the saver ended while active"
  "$build/halvenrode-grab" "$work/screen.png" || continue
  black="$("$build/halvenrode-pngstats" "$work/screen.png" | awk '/^black/ {print $2}')"
  awk -v b="$black" 'BEGIN { exit !(b < 0.5) }' && { shown=yes; break; }
done
[ -n "$shown" ] || fail "the screen stayed black"
[ -n "${HALVENRODE_SCREENSHOT:-}" ] && cp "$work/screen.png" "$HALVENRODE_SCREENSHOT"

xscreensaver-command -deactivate >/dev/null 2>&1 || fail "deactivate was refused"
for _ in $(seq 1 100); do
  kill -0 "$saver" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$saver" 2>/dev/null && fail "the saver kept running after deactivation"
cmp -s "$list" "$work/after-first" || fail "$list changed while the daemon ran"
echo "PASS: the daemon ran entry $number, the saver; its $defaults default entries are kept"
