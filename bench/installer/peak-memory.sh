#!/usr/bin/env bash
# The installer's peak memory on the 8 MB benchmark payload: builds an
# installer of that size with sspack and runs it with /AUTO (headless) under
# GNU time, then prints its size, the peak and the allowance 2.5 x size + 40 MB.
#   bench/installer/peak-memory.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/windows"
head -c 1048576 /dev/urandom > "$work/runtime"
# Movie data: half noise, half runs, 6.3 MB.
for i in $(seq 1 800); do head -c 4096 /dev/urandom; head -c 4096 /dev/zero; done > "$work/movie"
"$build/bin/sspack" record --name Bench --logo-file logo.jpg -o "$work/record"
"$build/bin/sspack" build --stub "$build/bin/ssinstall" --runtime "$work/runtime" \
    --movie "$work/movie" --record "$work/record" --logo "$top/examples/demo/logo.jpg" \
    -o "$work/setup" --quiet
size=$(stat -c %s "$work/setup")
peak_kb=$(env -u DISPLAY -u WAYLAND_DISPLAY WINDIR="$work/windows" \
    /usr/bin/time -f %M "$work/setup" /AUTO 2>&1 >/dev/null | tail -n 1)
echo "installer: $((size / 1024)) KiB; peak: ${peak_kb} KiB; allowance: $(((size * 5 / 2 + 40 * 1048576) / 1024)) KiB"
