# Shell helpers that run the saver on one of the two SDL 1.2 libraries
# users have: "classic" (the library the saver is built with) or "compat"
# (the SDL 1.2 interface built on SDL 2, the libSDL-1.2 of most current
# distributions). Source this file with HALVENRODE_SDL set; sdl_choose then
# points the dynamic linker at the chosen library, and sdl_expect_in PID
# fails the test unless that process really loaded it.

# The folder of the compat library from Debian's libsdl1.2-compat, which
# keeps it out of the linker's default path.
sdl_compat_folder() {
  local library
  library="$(dpkg -L libsdl1.2-compat 2>/dev/null | grep '/libSDL-1\.2\.so\.0$' | head -1)"
  [ -n "$library" ] && dirname "$library"
}

sdl_choose() {
  case "${HALVENRODE_SDL:-classic}" in
    classic)
      unset LD_LIBRARY_PATH LD_PRELOAD
      sdl_expected='libSDL-1\.2\.so'
      sdl_unexpected='sdl12-compat'
      ;;
    compat)
      local folder
      folder="$(sdl_compat_folder)" || { echo "FAIL: libsdl1.2-compat is not installed" >&2; exit 1; }
      export LD_LIBRARY_PATH="$folder"
      unset LD_PRELOAD
      sdl_expected="$folder/libSDL-1\.2\.so"
      sdl_unexpected='^$'
      ;;
    *)
      echo "FAIL: HALVENRODE_SDL must be classic or compat" >&2
      exit 1
      ;;
  esac
  echo "SDL 1.2 implementation: ${HALVENRODE_SDL:-classic}"
}

# Fails unless process $1 has the chosen SDL library mapped (and not the
# other one). A process that is already gone is not judged.
sdl_expect_in() {
  local maps
  maps="$(grep -o '/[^ ]*libSDL-1\.2\.so[^ ]*' "/proc/$1/maps" 2>/dev/null | sort -u)" || return 0
  [ -n "$maps" ] || return 0
  if ! grep -q "$sdl_expected" <<<"$maps" || grep -q "$sdl_unexpected" <<<"$maps"; then
    echo "FAIL: process $1 runs on $maps, not the ${HALVENRODE_SDL:-classic} SDL" >&2
    exit 1
  fi
}
