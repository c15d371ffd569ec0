#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the test
# suite headless, the whole suite again built with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz target for a
# bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
JOBS=$(nproc)
FUZZ_SECONDS=${FUZZ_SECONDS:-60}

bash scripts/install-deps.sh

echo "== build and test"
bash scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j"$JOBS")

echo "== sanitizers (whole project with clang: AddressSanitizer, UndefinedBehaviorSanitizer, leaks)"
san_start=$SECONDS
(
  # The settings hold for the build as well, which lists each test program's
  # tests by running it.
  export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
    LSAN_OPTIONS=suppressions="$ROOT/scripts/lsan.supp":print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # -O1: the sanitizers' usual level, far faster than -O0 and as exact.
  CC=clang CXX=clang++ cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
    -DORV_SANITIZE=ON -DORV_BENCH=OFF
  cmake --build build-san -j"$JOBS"
  cd build-san && ctest --output-on-failure --timeout 300 -j"$JOBS"
)
echo "sanitizers: $((SECONDS - san_start)) s"

echo "== fuzz (${FUZZ_SECONDS} s each)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORV_WITH_QT=OFF -DORV_FUZZ=ON -DORV_TESTS=OFF -DORV_BENCH=OFF
cmake --build build-fuzz -j"$JOBS"
pids=()
names=()
for f in build-fuzz/bin/fuzz_*; do
  [ -x "$f" ] || continue
  name=${f##*/fuzz_}
  corpus=$(ls -d "$ROOT"/fuzz/*/corpus/"$name" 2>/dev/null | head -1 || true)
  work=build-fuzz/corpus/$name
  mkdir -p "$work"
  [ -n "$corpus" ] && cp -r "$corpus"/. "$work"/
  "$f" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$work" >"build-fuzz/$name.log" 2>&1 &
  pids+=($!)
  names+=("$name")
done
status=0
for i in "${!pids[@]}"; do
  if wait "${pids[$i]}"; then
    echo "fuzz ${names[$i]}: ok ($(grep -m1 -o 'stat::number_of_executed_units: [0-9]*' "build-fuzz/${names[$i]}.log" || true))"
  else
    echo "fuzz ${names[$i]}: FAILED"; tail -60 "build-fuzz/${names[$i]}.log"; status=1
  fi
done
exit $status
