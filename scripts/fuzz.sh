#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one. --smoke runs
# each for a short while (CI); otherwise for FUZZ_SECONDS (default 60).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
secs=${FUZZ_SECONDS:-60}
[[ "${1:-}" == "--smoke" ]] && secs=${FUZZ_SECONDS:-20}
CC=clang CXX=clang++ "$root/scripts/build.sh" build-fuzz -DQUILLET_FUZZ=ON -DQUILLET_TESTS=OFF -DQUILLET_BENCH=OFF
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
shopt -s nullglob
status=0
for f in "$root"/build-fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  corpus="$root/fuzz/corpus/$(basename "$f")"
  mkdir -p "$root/build-fuzz/corpus-$(basename "$f")"
  echo "== $(basename "$f") for ${secs}s"
  args=("$root/build-fuzz/corpus-$(basename "$f")")
  [ -d "$corpus" ] && args+=("$corpus")
  log="$root/build-fuzz/$(basename "$f").log"
  if "$f" -max_total_time="$secs" -timeout=60 -rss_limit_mb=2048 -artifact_prefix="$root/build-fuzz/" \
       "${args[@]}" >"$log" 2>&1; then
    tail -1 "$log"
  else
    # The finding itself, not only libFuzzer's last lines.
    grep -n -m1 -A60 -E "ERROR|==[0-9]+==|runtime error|deadly signal" "$log" || tail -60 "$log"
    status=1
  fi
done
exit $status
