#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses it as a user would: the
# tree holds what it should and nothing it should not, DESTDIR moves all of it,
# the installed sspack builds a working installer without --stub, the manual
# pages name every option of --help, and a project outside this one links the
# installed skinned controls and opens a skinned form headless.
#
#   install-tree.sh BUILD_DIR SOURCE_DIR CMAKE GENERATOR CXX_COMPILER
set -euo pipefail
build=$1 source=$2 cmake=$3 generator=$4 cxx=$5
work=$(mktemp -d "${TMPDIR:-/tmp}/ssi-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
unset DESTDIR
# The installers these scripts run install on the console, whatever display
# the terminal has.
unset DISPLAY WAYLAND_DISPLAY SSI_BACKEND

prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" > "$work/install.log"

# --- The tree.
for f in bin/sspack bin/form-preview bin/skinpack libexec/screensaver-installer/ssinstall; do
  [ -f "$prefix/$f" ] && [ -x "$prefix/$f" ] || fail "no program $f"
done
for f in share/man/man1/{sspack,ssinstall,form-preview,skinpack}.1 \
         lib/cmake/ScreensaverInstaller/ScreensaverInstaller{Config,ConfigVersion,Targets}.cmake \
         lib/screensaver-installer/lib{skin,controls,resources,framework_ui,platform_window}.a \
         include/screensaver-installer/{skin/SUIThemes.h,controls/SUIForm.h,resources/Resources.h} \
         include/screensaver-installer/{framework/ui/Forms.h,platform/kernel32/FileIO.h}; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
if (cd "$prefix" && find . | grep -Ei 'skinfolder|gtest|bench|test|skin-generator|\.cpp$'); then
  fail "the tree holds files of the tests or tools (above)"
fi
# Every header's own includes were installed with it.
missing=$(cd "$prefix/include/screensaver-installer" &&
  grep -rhoE '^#include "[^"]+"' . | sed -E 's/#include "(.*)"/\1/' | sort -u |
  while read -r header; do [ -f "$header" ] || echo "$header"; done)
[ -z "$missing" ] || fail "headers include what was not installed: $missing"

# --- DESTDIR: the same tree below it, nothing at the prefix itself.
DESTDIR=$work/stage "$cmake" --install "$build" --prefix "$work/elsewhere" > /dev/null
[ ! -e "$work/elsewhere" ] || fail "DESTDIR was not honoured"
diff <(cd "$prefix" && find . | sort) <(cd "$work/stage$work/elsewhere" && find . | sort) ||
  fail "a DESTDIR install holds other files (above)"

# --- The installed sspack finds the installed stub, and the installer works.
data=$work/data
mkdir -p "$data/windows"
"$build/bin/demo-movie" "$data/movie"
"$prefix/bin/sspack" record --name "Installed Fish" --logo-file "C:\\Art\\fish.jpg" -o "$data/record"
build_installer() { # SSPACK OUTPUT
  "$1" build --runtime "$build/bin/demo-screensaver" --movie "$data/movie" \
    --record "$data/record" --logo "$source/examples/demo/logo.jpg" -o "$2"
}
build_installer "$prefix/bin/sspack" "$data/setup"
stub_size=$(stat -c %s "$prefix/libexec/screensaver-installer/ssinstall")
[ "$("$prefix/bin/sspack" list "$data/setup" | head -n 1)" = "0 $stub_size $stub_size" ] ||
  fail "stream 0 is not the installed stub"
cmp -n "$stub_size" "$data/setup" "$prefix/libexec/screensaver-installer/ssinstall" ||
  fail "stream 0 is not the installed stub"
WINDIR=$data/windows "$data/setup" /AUTO > "$data/auto.log" || { cat "$data/auto.log"; fail "the installer failed"; }
[ -f "$data/windows/Installed Fish.scr" ] || fail "nothing installed"
grep -qF "SCRNSAVE.EXE=$data/windows/Installed Fish.scr" "$data/windows/system.ini" ||
  fail "not registered in system.ini"
# The installer asks for nothing but the C library, and installs in a root
# that holds nothing else (where this machine lets a root be entered).
needed=$(readelf -d "$data/setup" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort | tr '\n' ' ')
[ "$needed" = "ld-linux-x86-64.so.2 libc.so.6 libm.so.6 " ] || fail "the installer needs: $needed"
root=$work/root
mkdir -p "$root/windows" "$root/tmp"
for library in $(ldd "$data/setup" | grep -oE '/[^ ]+'); do
  mkdir -p "$root$(dirname "$library")"
  cp "$library" "$root$library"
done
cp "$data/setup" "$root/Setup"
enter=""
if PATH="$PATH:/usr/sbin:/sbin" chroot / true 2> /dev/null; then
  enter="$(PATH="$PATH:/usr/sbin:/sbin" command -v chroot) $root"
elif unshare --map-root-user --root=/ true 2> /dev/null; then
  enter="unshare --map-root-user --root=$root"
fi
if [ -n "$enter" ]; then
  env -i WINDIR=/windows $enter /Setup /AUTO > "$work/root.log" 2>&1 ||
    { cat "$work/root.log"; fail "the installer fails in a root holding only the C library"; }
  grep -qF "SCRNSAVE.EXE=/windows/Installed Fish.scr" "$root/windows/system.ini" ||
    fail "the installer in a bare root registered nothing"
else
  echo "install-tree: no root can be entered here; the bare-root run is left out"
fi
# Moved elsewhere (the DESTDIR tree), sspack still finds the stub beside it.
build_installer "$work/stage$work/elsewhere/bin/sspack" "$data/setup2"
cmp -s "$data/setup" "$data/setup2" || fail "the moved tree's installer differs"

# --- Manual pages: every command and option of --help is in the page.
for tool in sspack form-preview skinpack; do
  page=$prefix/share/man/man1/$tool.1
  help=$("$prefix/bin/$tool" --help)
  for option in $(grep -oE -- '--[a-z-]+' <<< "$help" | sort -u); do
    grep -qF -- "${option//-/\\-}" "$page" || fail "$tool --help names $option, $tool.1 does not"
  done
  for command in $(grep -oE "^  $tool [a-z]+" <<< "$help" | awk '{print $2}' | sort -u); do
    grep -qE "^\.B $tool $command\$" "$page" || fail "$tool --help names $command, $tool.1 does not"
  done
done
if command -v groff > /dev/null; then
  for page in "$prefix"/share/man/man1/*.1; do
    warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "$page: $warnings"
  done
fi

# --- A project of someone else's links the installed skin library.
"$cmake" -S "$source/tests/install/consumer" -B "$work/consumer" -G "$generator" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" > "$work/consumer.log" 2>&1 ||
  { cat "$work/consumer.log"; fail "the outside project does not configure"; }
"$cmake" --build "$work/consumer" > "$work/consumer-build.log" 2>&1 ||
  { cat "$work/consumer-build.log"; fail "the outside project does not build"; }
SSI_BACKEND=headless "$work/consumer/skinned-app" || fail "the outside program failed"
echo "install tree: ok"
