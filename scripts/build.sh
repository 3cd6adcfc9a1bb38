#!/usr/bin/env bash
# build.sh [BUILD_DIR] [cmake options...]: configures and builds.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}; shift || true
cmake -S . -B "$dir" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
