#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it: its name, the shared
# libraries its programs need among its dependencies, exactly the files an
# install at /usr puts there, and that its sspack finds its stub and builds a
# working installer.
#
#   debian-package.sh BUILD_DIR CMAKE CPACK
set -euo pipefail
build=$1 cmake=$2 cpack=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/ssi-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
unset DESTDIR
# The installers these scripts run install on the console, whatever display
# the terminal has.
unset DISPLAY WAYLAND_DISPLAY SSI_BACKEND

"$cpack" --config "$build/packaging/CPackConfig.cmake" -G DEB -B "$work/deb" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/deb/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "not one .deb: ${debs[*]}"
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = screensaver-installer ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<< "$depends" | awk '{print $1}')
for dependency in libc6 libstdc++6; do
  grep -qxF "$dependency" <<< "$names" || fail "Depends lacks $dependency: $depends"
done

contents=$(dpkg-deb -c "$deb")
grep -q ' ./usr/share/doc/screensaver-installer/copyright$' <<< "$contents" ||
  fail "the package has no copyright file"

DESTDIR=$work/root "$cmake" --install "$build" --prefix /usr > /dev/null
diff <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort) \
     <(cd "$work/root" && find . ! -type d | sed 's|^\./||' | sort) ||
  fail "the package's files are not those of an install at /usr (above: < package, > install)"

dpkg-deb -x "$deb" "$work/unpacked"
"$work/unpacked/usr/bin/sspack" --help > /dev/null || fail "the packaged sspack does not run"
sspack=$work/unpacked/usr/bin/sspack
"$sspack" record --name Packaged --logo-file logo.jpg -o "$work/record"
"$sspack" build --runtime /dev/null --movie /dev/null --record "$work/record" \
  --logo "$(dirname "$0")/../../examples/demo/logo.jpg" \
  -o "$work/setup" --quiet || fail "the packaged sspack finds no stub"
# The packaged stub is stripped; an installer built from it still works.
mkdir "$work/windows"
WINDIR=$work/windows "$work/setup" /AUTO > "$work/auto.log" 2>&1 ||
  { cat "$work/auto.log"; fail "an installer from the packaged stub fails"; }
[ -f "$work/windows/Packaged.scr" ] || fail "an installer from the packaged stub installs nothing"
echo "debian package: ok ($(dpkg-deb -c "$deb" | grep -vc '^d') files)"
