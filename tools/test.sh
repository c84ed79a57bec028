#!/usr/bin/env bash
# Builds everything and runs every test: the host unit tests under the sanitizers, then every
# test executable under Wine. Extra arguments go to both ctest runs (for example -R kqel).
# BUILD_DIR chooses the build tree (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
B=${BUILD_DIR:-build}
JOBS=${JOBS:-$(nproc)}
tools/deps.sh
mkdir -p "$B"
cmake -S . -B "$B/host" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$B/host" -j "$JOBS"
ctest --test-dir "$B/host" --output-on-failure "$@"
cmake -S . -B "$B" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$B" -j "$JOBS"
tools/winebench start "$B"
trap 'tools/winebench stop "$B"' EXIT
ctest --test-dir "$B" --output-on-failure "$@"
