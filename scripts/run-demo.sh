#!/usr/bin/env bash
# Packs the demo screensaver into an installer and runs it into a sandbox
# Windows directory: the wizard when a display is there, /AUTO on the console
# otherwise. Then shows what was installed.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$build/bin"
demo="$build/demo"
windows="$demo/windows"

mkdir -p "$windows"
"$bin/demo-movie" "$demo/movie.dat"
"$bin/sspack" record --name "Deep Sea Demo" --logo-file 'C:\Demo\logo.jpg' \
    --homepage "https://example.org/deep-sea-demo" --copyright "Copyright (c) 2026 The Screensaver Installer Authors" \
    --license "$top/examples/demo/license.txt" --show-license -o "$demo/project.txt"
"$bin/sspack" build --stub "$bin/ssinstall" --runtime "$bin/demo-screensaver" --movie "$demo/movie.dat" \
    --record "$demo/project.txt" --logo "$top/examples/demo/logo.jpg" -o "$demo/DeepSeaSetup"
echo "Installer: $demo/DeepSeaSetup"
"$bin/sspack" list "$demo/DeepSeaSetup" | sed -E 's/^[0-9]/stream &/; s/^/  /'

if [ -n "${DISPLAY:-}" ]; then
    echo "Opening the installer's wizard (click through it, or close it to stop)"
    WINDIR="$windows" "$demo/DeepSeaSetup"
    if [ ! -e "$windows/Deep Sea Demo.scr" ]; then
        echo "The wizard was closed before installing."
        exit 0
    fi
else
    WINDIR="$windows" "$demo/DeepSeaSetup" /AUTO
fi
echo
echo "The screensaver went to: $windows/Deep Sea Demo.scr"
echo "system.ini now says:"
sed 's/^/  /' "$windows/system.ini"
echo
echo "Running the installed screensaver:"
"$windows/Deep Sea Demo.scr"
