#!/usr/bin/env bash
# Runs every libFuzzer target for a number of minutes on a work copy of its
# seeds (its corpus in fuzz/corpus/, and the picture corpus where it seeds
# one), then prints per target how many inputs it ran and how fast. The
# committed corpus never changes; new inputs the fuzzer keeps stay in the
# work folders under BUILD_DIR/fuzz-long/ for a later run.
#   scripts/fuzz-long.sh BUILD_DIR MINUTES [TARGET...]
set -euo pipefail
build=${1:?build directory}
minutes=${2:?minutes per target}
shift 2
list="$build/fuzz/fuzzers.txt"
if [[ ! -f $list ]]; then
    echo "fuzz-long: $list is missing: build the fuzzers first (make fuzz)" >&2
    exit 1
fi
work="$build/fuzz-long"
mkdir -p "$work"
seconds=$((minutes * 60))
summary=()
while IFS=$'\t' read -r name binary seeds options; do
    if (($# > 0)) && [[ " $* " != *" $name "* ]]; then
        continue
    fi
    IFS=: read -r -a folders <<< "$seeds"
    mkdir -p "$work/$name"
    cp -rn "${folders[0]}"/. "$work/$name"/
    log="$work/$name.log"
    echo "fuzz-long: $name for $minutes min (log: $log)"
    # shellcheck disable=SC2086 # the options are words
    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp" \
        "$binary" "$work/$name" "${folders[@]:1}" -max_total_time="$seconds" $options \
        -print_final_stats=1 -artifact_prefix="$work/$name-" > "$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    verdict=${status:+failed (status $status, see the log)}
    summary+=("$(printf '%-30s %12s runs %8s/s %6ss %s' "$name" "${runs:-?}" "${rate:-?}" \
        "$seconds" "${verdict:-ok}")")
    unset status
done < "$list"
echo
printf '%s\n' "${summary[@]}"
if printf '%s\n' "${summary[@]}" | grep -q failed; then
    exit 1
fi
