#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers) into
# build-fuzz/ and runs each for a number of runs (default 10 million), starting from the
# kept corpus and crash inputs under tests/fuzz/. Prints runs, executions a second (also as a
# share of an empty target's rate, measured in the same run) and findings per target; exits 1
# when any target found a fault (saved under build-fuzz/findings/).
#   scripts/fuzz.sh [--runs N] [target...]      targets: numbers writer readers shed project (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=10000000
targets=()
while (($#)); do
    case "$1" in
        --runs) runs="$2"; shift 2 ;;
        --runs=*) runs="${1#--runs=}"; shift ;;
        *) targets+=("$1"); shift ;;
    esac
done
all=$(sed -n 's/^corvelle_add_fuzz(\([a-z_]*\) .*/\1/p' tests/fuzz/CMakeLists.txt)
((${#targets[@]})) || read -r -a targets <<<"$(echo $all)"

"scripts/deps.sh"
cxx=$(command -v clang++-14 || command -v clang++)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" -DCORVELLE_FUZZ=ON \
    "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_baseline "${targets[@]/#/fuzz_}" >build-fuzz/build.log 2>&1 ||
    { tail -40 build-fuzz/build.log; exit 1; }

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
# Runs one target: fuzz NAME RUNS; sets done_runs, rate and found.
fuzz() {
    local t="$1" n="$2" work="build-fuzz/corpus/$1" findings="build-fuzz/findings/$1" log="build-fuzz/fuzz-$1.log"
    rm -rf "$findings"
    mkdir -p "$work" "$findings"
    # New inputs go to build-fuzz/corpus; the kept folders are only read.
    local kept=() dir start
    for dir in "tests/fuzz/corpus/$t" "tests/fuzz/crashes/$t"; do [ -d "$dir" ] && kept+=("$dir"); done
    start=$(date +%s.%N)
    if build-fuzz/bin/fuzz_"$t" -runs="$n" -timeout=30 -print_final_stats=1 -artifact_prefix="$findings/" \
        "$work" "${kept[@]}" >"$log" 2>&1; then
        found=0
    else
        found=$(find "$findings" -type f | wc -l)
        ((found)) || found=1
        status=1
        echo "--- $log"
        tail -40 "$log"
    fi
    done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    # libFuzzer rounds its rate to whole seconds; short runs are timed here instead.
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    if [ "${rate:-0}" = 0 ] && [ -n "$done_runs" ]; then
        rate=$(awk -v n="$done_runs" -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.0f", n / (b - a) }')
    fi
}

fuzz baseline $((runs < 1000000 ? runs : 1000000))
baseline=${rate:-0}
printf '%-10s %12s %12s %10s %10s\n' target runs execs/s "of empty" findings
printf '%-10s %12s %12s %10s %10s\n' empty "$done_runs" "$baseline" 1 -
for t in "${targets[@]}"; do
    fuzz "$t" "$runs"
    share=$(awk -v r="${rate:-0}" -v b="$baseline" 'BEGIN { if (b > 0) printf "%.4f", r / b; else print "?" }')
    printf '%-10s %12s %12s %10s %10s\n' "$t" "${done_runs:-?}" "${rate:-?}" "$share" "$found"
done
exit $status
