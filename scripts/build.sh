#!/usr/bin/env bash
# build.sh [BUILD_DIR] [cmake options...]: configures and builds. Set
# BUILD_TARGETS to build only some targets (space-separated).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}; shift || true
cmake -S . -B "$dir" "$@" >/dev/null
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
