#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. With --sanitize the
# build and tests run under AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
if [[ "${1:-}" == "--sanitize" ]]; then
  dir=build-asan
  "$root/scripts/build.sh" "$dir" -DQUILLET_SANITIZE=ON -DQUILLET_BENCH=OFF
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  dir=build
  "$root/scripts/build.sh" "$dir"
fi
cd "$root/$dir"
ctest --output-on-failure -j"$(nproc)" --timeout 600
