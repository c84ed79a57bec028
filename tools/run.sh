#!/usr/bin/env bash
# Builds statwell and runs it: under Wine on Linux (in the bench of the build tree, on the
# current display or a virtual one), natively on Windows (MSYS2/MinGW shell).
set -euo pipefail
cd "$(dirname "$0")/.."
B=${BUILD_DIR:-build}
case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*)
    cmake -S . -B "$B" -G "MinGW Makefiles" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$B" -j --target statwell
    exec "$B/bin/statwell.exe"
    ;;
esac
tools/deps.sh
cmake -S . -B "$B" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw32.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$B" -j "$(nproc)" --target statwell trayprobe
tools/winebench start "$B"
trap 'tools/winebench stop "$B"' EXIT
# Wine ignores Ctrl+C in a window program: the script waits for it and ends the bench itself.
trap 'exit 130' INT TERM
echo "statwell is running on display $(. "$B/winebench.env"; echo "$DISPLAY"); quit it from its menu or press Ctrl+C."
tools/wine-exec "$B" "$B/bin/statwell.exe" &
wait $!
