#!/usr/bin/env bash
# Builds every libFuzzer target natively with clang and the sanitizers (tree build/fuzz, or
# FUZZ_DIR) and runs each for FUZZ_SECONDS (default 60) over its seeds in tests/fuzz/corpus/.
# Not part of CI. New inputs go to FUZZ_DIR/corpus/NAME, crashes to FUZZ_DIR/crashes/NAME.
# Arguments: names of targets to run (fuzz_perf_data ...); none runs them all.
# Exit status: 0 when no target found a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
F=${FUZZ_DIR:-build/fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-60}
JOBS=${JOBS:-2}
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: installing clang" >&2
  SUDO=; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get install -y clang
fi
CC=clang CXX=clang++ cmake -S . -B "$F" -DSW_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$F" -j "$JOBS"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in "$F"/bin/fuzz_*; do targets+=("$(basename "$t")"); done
fi
failed=()
for t in "${targets[@]}"; do
  name=${t#fuzz_}
  seeds=tests/fuzz/corpus/$name
  work=$F/corpus/$name
  crashes=$F/crashes/$name
  mkdir -p "$work" "$crashes"
  [ -d "$seeds" ] || seeds=
  echo "== $t for ${SECONDS_EACH}s"
  if ! "$F/bin/$t" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$crashes/" -print_final_stats=1 "$work" $seeds 2>"$F/$t.log"; then
    failed+=("$t")
    tail -40 "$F/$t.log"
  else
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$F/$t.log" | tail -2 || true
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz.sh: faults found by: ${failed[*]} (inputs in $F/crashes/)" >&2
  exit 1
fi
echo "fuzz.sh: every target ran ${SECONDS_EACH}s without a fault"
