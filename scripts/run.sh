#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: with no
# arguments, a Code 39 symbol built and saved as quillet-demo.wmf; with
# arguments, they are passed to the program as they stand.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build
if (($# == 0)); then
  "$root/build/quillet" --execute "[CODE39][MESSAGE='QUILLET 123'][BUILD/COPY][SAVEBARCODE(quillet-demo.wmf)]"
  echo "saved quillet-demo.wmf"
else
  "$root/build/quillet" "$@"
fi
