# Sourced by the Wine scripts: one quiet 64-bit prefix for the project's tests and demo.
export WINEPREFIX="${WINEPREFIX:-$HOME/.cache/kvimeter/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
# No Mono or Gecko installer prompts.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
