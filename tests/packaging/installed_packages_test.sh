#!/usr/bin/env bash
# Unpacks the three packages into a folder of their own (dpkg-deb -x, no root) and uses them
# from there only: a host built with pkg-config and one built with find_package(Tarvel) load the
# unpacked plug-in through the contract, and the unpacked reference host runs offscreen.
#   installed_packages_test.sh PACKAGE_FOLDER WORK_FOLDER VERSION
set -euo pipefail
packages="$1"
work="$2"
version="$3"
tiny_host_source="$(cd "$(dirname "$0")/tiny_host" && pwd)"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work/root" "$work/station" "$work/config" "$work/data"
for package in tarvel tarvel-dev tarvel-demo; do
  deb=("$packages/${package}_${version}_"*.deb)
  [ -f "${deb[0]}" ] || fail "no package $package $version in $packages"
  dpkg-deb -x "${deb[0]}" "$work/root"
done
usr="$work/root/usr"
multiarch="$(gcc -print-multiarch)"

# Nothing of the build tree or the machine's own Tarvel may stand in for the unpacked files.
unset LD_LIBRARY_PATH TARVEL_ROOT
export TARVEL_ROOT="$work/station" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export QT_QPA_PLATFORM=offscreen

echo "--- a host built with pkg-config"
export PKG_CONFIG_PATH="$usr/lib/$multiarch/pkgconfig"
# tarvel.pc names /usr; the unpacked copy is moved to the folder by overriding its prefix.
tarvel_pkg_config() { pkg-config --define-variable=prefix="$usr" "$@" tarvel; }
[ "$(tarvel_pkg_config --modversion)" = "$version" ] || fail "tarvel.pc is not version $version"
plugin="$(tarvel_pkg_config --variable=pluginpath)"
[ "$plugin" = "$usr/lib/$multiarch/tarvel/libtarvel.so" ] || fail "pluginpath is $plugin"
cflags="$(tarvel_pkg_config --cflags)"
[ "${cflags%% }" = "-I$usr/include" ] || fail "tarvel.pc gives the flags $cflags"
# shellcheck disable=SC2046 # pkg-config's flags are meant to be split
g++ -std=c++20 -fPIC -o "$work/pkg-config-host" "$tiny_host_source/tiny_host.cpp" \
  $(tarvel_pkg_config --cflags) $(pkg-config --cflags Qt6Widgets) \
  -DTARVEL_PLUGIN="\"$plugin\"" $(pkg-config --libs Qt6Widgets) -ldl
"$work/pkg-config-host"

echo "--- a host built with find_package(Tarvel)"
cmake -S "$tiny_host_source" -B "$work/cmake-host" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTarvel_DIR="$usr/lib/$multiarch/cmake/Tarvel" >"$work/cmake-host.log" ||
  { cat "$work/cmake-host.log"; fail "configuring against the CMake package"; }
cmake --build "$work/cmake-host" >>"$work/cmake-host.log" ||
  { cat "$work/cmake-host.log"; fail "building against the CMake package"; }
"$work/cmake-host/tiny_host"

echo "--- the reference host, started as the desktop entry starts it"
desktop="$usr/share/applications/tarvel-host.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
command="$(sed -n 's/^Exec=//p' "$desktop")"
host_output="$(PATH="$usr/bin:$PATH" $command --screenshot "$work/shots" 2>&1)" ||
  { echo "$host_output"; fail "tarvel-host exited with an error"; }
echo "$host_output"
grep -qx "Load returned 0" <<<"$host_output" || fail "Load did not return 0"
grep -qx "UnLoad returned 0" <<<"$host_output" || fail "UnLoad did not return 0"
[ -s "$work/shots/HostWindow.png" ] || fail "no screenshot of the host window"
# The stand-ins were found beside the unpacked host: each one logged its first call.
for sibling in Orvaly Kestrin Pellow Dravik Zumbra; do
  grep -q "^$sibling.dll " "$work/station/FSYS/Siblings.log" ||
    fail "the stand-in $sibling.dll was not loaded"
done
echo "--- tarvel-schedule from the tarvel package, with its manual page"
[ -s "$usr/share/man/man1/tarvel-schedule.1.gz" ] || fail "no manual page of tarvel-schedule"
mkdir -p "$work/station/WINDOWS"
printf '[AutoZapros]\r\nCount=1\r\n[AutoZaprosItem0]\r\nEnable=1\r\nAZSName=A\r\nConnType=1\r\nConnTimeTipe=1\r\nCPcount=1\r\nCP0time=08:00\r\n' \
  >"$work/station/WINDOWS/cnf.INI"
schedule_output="$("$usr/bin/tarvel-schedule" --at "2026-12-07 07:00" next 2>&1)" ||
  { echo "$schedule_output"; fail "tarvel-schedule exited with an error"; }
echo "$schedule_output"
grep -q "^07.12.2026 08:00 *A " <<<"$schedule_output" || fail "tarvel-schedule did not list the poll"
echo "all checks held"
