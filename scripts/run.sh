#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: with no
# arguments, the desktop window where a display is there, otherwise a
# Code 39 symbol built and saved as quillet-demo.wmf; with arguments, they
# are passed to the program as they stand.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
# The program and the two libraries it loads; the tests are built by test.sh.
BUILD_TARGETS="quillet stripegen zorvex32" "$root/scripts/build.sh" build > "$root/build-run.log" 2>&1 ||
  { tail -40 "$root/build-run.log"; exit 1; }
if (($# == 0)) && "$root/build/quillet" --has-display; then
  "$root/build/quillet"
elif (($# == 0)); then
  "$root/build/quillet" --execute "[CODE39][MESSAGE='QUILLET 123'][BUILD/COPY][SAVEBARCODE(quillet-demo.wmf)]"
  echo "saved $PWD/quillet-demo.wmf (a Code 39 symbol, placeable Windows metafile)"
else
  "$root/build/quillet" "$@"
fi
