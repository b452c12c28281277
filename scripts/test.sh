#!/usr/bin/env bash
# Builds every configuration of Linsift and runs every test:
#   native (g++), AddressSanitizer + UBSan, Windows x86_64 (MinGW-w64) under Wine
#   with a virtual display, and a short run of each libFuzzer target.
# Installs what is missing first. Ends with one summary line.
set -uo pipefail
cd "$(dirname "$0")/.."

jobs=${LINSIFT_JOBS:-2}
fuzz_seconds=${LINSIFT_FUZZ_SECONDS:-20}
log_dir=build/logs
summary=()
passed=0
failed=0

bash scripts/setup.sh || { echo "test: setup failed"; exit 1; }
mkdir -p "$log_dir"

# step NAME CMD...: runs one step, remembers whether it passed.
step() {
  local name=$1
  shift
  echo "== $name"
  if "$@"; then
    summary+=("  ok      $name")
  else
    summary+=("  FAILED  $name")
    failed=$((failed + 1))
    return 1
  fi
}

# run_ctest NAME CMD...: runs a ctest command and adds its counts to the totals.
run_ctest() {
  local name=$1
  shift
  local log="$log_dir/$name.log"
  echo "== $name"
  "$@" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    local total fail
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    fail=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
    passed=$((passed + total - fail))
    failed=$((failed + fail))
    summary+=("  $([ "$rc" -eq 0 ] && echo 'ok    ' || echo 'FAILED')  $name: $((total - fail)) of $total passed")
  else
    failed=$((failed + 1))
    summary+=("  FAILED  $name: no test ran")
  fi
}

build() {
  cmake --preset "$1" >"$log_dir/configure-$1.log" 2>&1 || { cat "$log_dir/configure-$1.log"; return 1; }
  cmake --build --preset "$1" -j "$jobs"
}

step "native build" build native && run_ctest "native tests" ctest --preset native
step "sanitizer build" build asan && run_ctest "sanitizer tests" ctest --preset asan
step "windows build" build mingw && run_ctest "windows tests (wine)" scripts/wine.sh ctest --preset mingw

fuzz() {
  cmake --preset fuzz >"$log_dir/configure-fuzz.log" 2>&1 && cmake --build --preset fuzz --target fuzzers -j "$jobs" || return 1
  local f rc=0
  for f in build/fuzz/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    mkdir -p "build/fuzz/corpus/$(basename "$f")"
    echo "-- $(basename "$f") for ${fuzz_seconds}s"
    "$f" -max_total_time="$fuzz_seconds" -print_final_stats=1 "build/fuzz/corpus/$(basename "$f")" \
      >"$log_dir/$(basename "$f").log" 2>&1 || { tail -n 40 "$log_dir/$(basename "$f").log"; rc=1; }
    grep -E 'stat::number_of_executed_units' "$log_dir/$(basename "$f").log" || true
  done
  return $rc
}
step "fuzz smoke" fuzz

# Leave nothing running behind in CI.
[ "${CI:-}" = "true" ] && scripts/wine.sh --stop

echo
echo "== Summary"
printf '%s\n' "${summary[@]}"
echo "linsift: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
