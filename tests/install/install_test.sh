#!/usr/bin/env bash
# Usage: install_test.sh layout_and_run | debian_package
set -u
build="${HALVENRODE_BUILD:?}"
source="${HALVENRODE_SOURCE:?}"
. "$source/scripts/xvfb-lib.sh"
work="$(mktemp -d /tmp/halvenrode-install-XXXXXX)"
saver_pid=
cleanup() {
  [ -n "$saver_pid" ] && kill -9 "$saver_pid" 2>/dev/null
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Every path of the layout below a root (a staging prefix or an unpacked
# package); $2 is where /etc lives under that root.
check_layout() {
  local usr="$1" etc="$2" path
  for path in lib/halvenrode/halvenrode lib/halvenrode/Halvenrode.exe lib/halvenrode/config.exe \
              lib/halvenrode/halvenrode-background \
              lib/halvenrode/main.pak lib/halvenrode/preview.ppk \
              share/halvenrode/main.pak share/halvenrode/utils.pak share/halvenrode/clock.pak \
              share/halvenrode/calendar.pak share/halvenrode/preview.ppk \
              bin/halvenrode libexec/xscreensaver/halvenrode \
              share/xscreensaver/config/halvenrode.xml bin/halvenrode-config \
              share/applications/halvenrode-config.desktop \
              share/applications/screensavers/halvenrode.desktop; do
    [ -e "$usr/$path" ] || fail "missing $path"
  done
  for page in man6/halvenrode.6 man1/halvenrode-config.1; do
    [ -e "$usr/share/man/$page" ] || [ -e "$usr/share/man/$page.gz" ] || fail "missing $page"
  done
  grep -qx "Exec=halvenrode-config" "$usr/share/applications/halvenrode-config.desktop" ||
    fail "the menu entry does not run halvenrode-config"
  # MATE's and XFCE's screen savers run the program of their entry only when
  # they find it in one of their saver folders, and start it through PATH.
  local entry="$usr/share/applications/screensavers/halvenrode.desktop" program
  program="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")"
  [ -n "$program" ] && [ -x "$usr/bin/$program" ] && [ -x "$usr/libexec/xscreensaver/$program" ] ||
    fail "the screen-saver entry's program '$program' is not in bin/ and libexec/xscreensaver/"
  program="$(sed -n 's/^TryExec=//p' "$entry")"
  [ -n "$program" ] && [ -x "$usr/bin/$program" ] || fail "the screen-saver entry's TryExec '$program' is not in bin/"
  # Screensaver is a reserved category, for which the validator wants an
  # OnlyShowIn list of desktops; the entry names none, so that every
  # desktop's saver reading the folder offers it. Any other error counts.
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" | grep ': error: ' | grep -v '"Screensaver" .* reserved category' >&2 &&
      fail "the screen-saver entry is not valid"
  fi
  [ -f "$etc/quorvel/registry.ini" ] || fail "missing the registry file"
  grep -q '^\[Software\\Quorvel\\Halvenrode\\Settings\]$' "$etc/quorvel/registry.ini" ||
    fail "the registry file has no settings key"
}

case "$1" in
  layout_and_run)
    stage="$work/stage"
    cmake --install "$build" --prefix "$stage" >"$work/install.log" 2>&1 ||
      { cat "$work/install.log" >&2; fail "cmake --install failed"; }
    check_layout "$stage" "$stage/etc"
    grep -qx "Path=$stage/lib/halvenrode/" "$stage/etc/quorvel/registry.ini" ||
      fail "Path does not name the installation folder: $(grep Path "$stage/etc/quorvel/registry.ini")"
    # Run the installed saver from somewhere else, through the link in bin/,
    # with the installed registry file naming its folder.
    xvfb_start 1024x768x24 || fail "no Xvfb"
    mkdir -p "$work/config"
    (cd "$work" && XDG_CONFIG_DIRS="$work/config" XDG_CONFIG_HOME="$work/config" \
       HALVENRODE_REGISTRY_FILE="$stage/etc/quorvel/registry.ini" \
       "$stage/bin/halvenrode" 2>"$work/stderr") &
    saver_pid=$!
    sleep 3
    kill -0 "$saver_pid" 2>/dev/null || { cat "$work/stderr" >&2; fail "the installed saver ended"; }
    xdotool key Escape
    for _ in $(seq 1 100); do kill -0 "$saver_pid" 2>/dev/null || break; sleep 0.1; done
    wait "$saver_pid"
    status=$?
    saver_pid=
    [ "$status" = 0 ] || fail "the installed saver ended with status $status"
    # The saver loads none of the desktop background's libraries, which
    # only its own program links.
    ldd "$stage/lib/halvenrode/halvenrode" | grep -E 'libgtk|libgdk|libwayland|libEGL' >&2 &&
      fail "the saver links the desktop background's libraries"
    ldd "$stage/lib/halvenrode/halvenrode-background" | grep -q 'libgtk-layer-shell' ||
      fail "the background program does not link gtk-layer-shell"
    # Without its program, --background says so in one line, status 1.
    mkdir "$work/alone"
    cp "$stage/lib/halvenrode/halvenrode" "$work/alone/"
    HALVENRODE_REGISTRY_FILE="$work/no-registry.ini" "$work/alone/halvenrode" --background --fps \
      2>"$work/stderr"
    status=$?
    [ "$status" = 1 ] && [ "$(wc -l <"$work/stderr")" = 1 ] &&
      grep -q "halvenrode-background" "$work/stderr" ||
      fail "--background without its program: status $status, stderr: $(cat "$work/stderr")"
    ;;
  debian_package)
    deb="$("$source/packaging/build-deb.sh" "$build" "$work/package" 2>"$work/package.log")" ||
      { cat "$work/package.log" >&2; fail "the package was not made"; }
    [ -f "$deb" ] || fail "no package at $deb"
    depends="$(dpkg-deb -f "$deb" Depends)"
    for library in libsdl1.2 libsdl-image1.2 libx11 libgl1; do
      echo "$depends" | grep -q "$library" || fail "the package does not depend on $library: $depends"
    done
    version="$(dpkg-deb -f "$deb" Version)"
    [ "$("$build/halvenrode" --version)" = "halvenrode $version" ] ||
      fail "the package's version $version is not the program's: $("$build/halvenrode" --version)"
    dpkg-deb -x "$deb" "$work/root"
    dpkg-deb -e "$deb" "$work/control"
    check_layout "$work/root/usr" "$work/root/etc"
    grep -qx "Path=/usr/lib/halvenrode/" "$work/root/etc/quorvel/registry.ini" ||
      fail "the package's registry file does not name /usr/lib/halvenrode/"
    grep -qx "/etc/quorvel/registry.ini" "$work/control/conffiles" ||
      fail "the registry file is not a configuration file"
    # A purge removes every file the settings program writes into the
    # machine-wide folder: here a folder of the test's own stands for /etc/xdg.
    mkdir "$work/xdg"
    XDG_CONFIG_DIRS="$work/xdg" "$build/config.exe" --system --set clock=off snow=light ||
      fail "the settings program did not write the machine-wide settings"
    sed "s|/etc/xdg/|$work/xdg/|g" "$work/control/postrm" >"$work/postrm"
    sh "$work/postrm" purge || fail "postrm purge failed"
    [ -z "$(ls -A "$work/xdg")" ] || fail "a purge leaves $(ls -A "$work/xdg" | tr '\n' ' ')"
    # Installed-Size is the files' size in KiB, each file counted once.
    files_kib=$(( $(find "$work/root" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }') / 1024 ))
    size="$(dpkg-deb -f "$deb" Installed-Size)"
    [ "$size" -ge "$files_kib" ] && [ "$size" -le $(( files_kib * 21 / 20 )) ] ||
      fail "Installed-Size $size KiB for $files_kib KiB of files"
    if command -v lintian >/dev/null; then
      lintian --pedantic -I "$deb" >"$work/lintian.log" 2>&1
      grep -E '^[EWIPX]:' "$work/lintian.log" >&2 && fail "lintian has remarks"
    fi
    ;;
  *) fail "unknown case $1" ;;
esac
echo "PASS: $1"
