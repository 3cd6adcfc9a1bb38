#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one. --smoke runs
# each for a short while (CI); otherwise for FUZZ_SECONDS (default 60).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
secs=${FUZZ_SECONDS:-60}
[[ "${1:-}" == "--smoke" ]] && secs=${FUZZ_SECONDS:-20}
CC=clang CXX=clang++ "$root/scripts/build.sh" build-fuzz -DQUILLET_FUZZ=ON -DQUILLET_TESTS=OFF -DQUILLET_BENCH=OFF
shopt -s nullglob
for f in "$root"/build-fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  corpus="$root/fuzz/corpus/$(basename "$f")"
  mkdir -p "$root/build-fuzz/corpus-$(basename "$f")"
  echo "== $(basename "$f") for ${secs}s"
  args=("$root/build-fuzz/corpus-$(basename "$f")")
  [ -d "$corpus" ] && args+=("$corpus")
  "$f" -max_total_time="$secs" -timeout=60 -rss_limit_mb=2048 "${args[@]}" 2>&1 | tail -3
done
