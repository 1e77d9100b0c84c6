#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and `make run` need.
# Runs apt-get only when something is missing, so a prepared machine pays nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  # the Debian package (cpack finds its dependencies with dpkg-shlibdeps and file)
  # and the check of the manual pages
  dpkg-dev file groff-base
  zlib1g-dev
  libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libjpeg-dev libfontconfig-dev
  fonts-wine fonts-dejavu-core
  # system faces for the scripts the embedded faces lack, which the tests of
  # glyph fallback draw: Greek and Cyrillic (DejaVu), Chinese and Japanese
  # (WenQuanYi Micro Hei, a few megabytes where Noto CJK is far larger)
  fonts-wqy-microhei
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-apps x11-utils imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
