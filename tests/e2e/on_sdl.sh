#!/usr/bin/env bash
# Runs a command with the SDL 1.2 library named by HALVENRODE_SDL (see
# sdl_choice.sh): on_sdl.sh PROGRAM [ARGUMENTS...]
set -eu
. "$(dirname "$0")/sdl_choice.sh"
sdl_choose
exec "$@"
