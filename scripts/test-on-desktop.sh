#!/usr/bin/env bash
# Runs the test suite in surroundings that a test must not take for its own:
# as from a terminal on a desktop, DISPLAY names a running X server (a
# private Xvfb) and WAYLAND_DISPLAY a socket that does not exist; HOME is
# unset and TMPDIR names no folder. A test that takes the display from its
# surroundings instead of setting up its own opens windows there, or hangs,
# and fails here with its name.
#   scripts/test-on-desktop.sh BUILD_DIR [ctest options...]
set -euo pipefail
build=${1:-build}
shift || true
if ! command -v Xvfb > /dev/null; then
    echo "test-on-desktop: Xvfb is not installed" >&2
    exit 1
fi
fifo=$(mktemp -u /tmp/ssi-display-XXXXXX)
mkfifo "$fifo"
Xvfb -displayfd 5 -nolisten tcp -screen 0 1024x768x24 5> "$fifo" 2> /dev/null &
server=$!
trap 'kill $server 2> /dev/null || true; rm -f "$fifo"' EXIT
read -r -t 30 number < "$fifo"
export DISPLAY=":$number"
export WAYLAND_DISPLAY=/nonexistent/wayland-0
export TMPDIR=/nonexistent/tmp
unset HOME
echo "test-on-desktop: DISPLAY=$DISPLAY WAYLAND_DISPLAY=$WAYLAND_DISPLAY TMPDIR=$TMPDIR, no HOME"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
