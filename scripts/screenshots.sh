#!/usr/bin/env bash
# Makes the README's pictures into docs/images/ from the reference host, offscreen, on a fresh
# demo installation: the station's three settings dialogs, the office window, a station's
# schedule editor, the count-down before a poll, and the chart of the demo chain
# (tarvel-schedule chart); and the office window once more on a desktop's dark theme
# (office-window-dark.png). Every run gives the same pictures: the clock is set to Monday
# 7 December 2026, 20:29:40, with faketime, twenty seconds before the first demo station, which
# asks the operator, is due at 20:30 (its 08:00 would not do: the polling skips minute 0 of an
# hour until it has seen another minute); without faketime the count-down waits for a station
# due at this minute and the coming one (run-demo.sh --poll-next-minute), and the dates are
# today's.
# The dark theme is qt6ct's "darker" colour scheme, given to Qt's own KDE platform theme as a
# kdeglobals file, with the host on a virtual X server (xvfb-run), since the offscreen platform
# takes no desktop theme. The PNG files are made smaller with optipng where it is installed.
#   scripts/screenshots.sh [FOLDER]      (default docs/images)
# TARVEL_DEMO_SKIP_BUILD=1 uses what $BUILD_DIR (default build) already holds.
set -euo pipefail
cd "$(dirname "$0")/.."
output="${1:-docs/images}"
build_dir="${BUILD_DIR:-build}"
if [ "${TARVEL_DEMO_SKIP_BUILD:-0}" != 1 ]; then
  scripts/install-dependencies.sh
  scripts/build.sh
fi
# faketime and optipng are optional; a root shell on Debian gets them.
missing=()
command -v faketime >/dev/null || missing+=(faketime)
command -v optipng >/dev/null || missing+=(optipng)
if [ ${#missing[@]} -gt 0 ] && [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null 2>&1 || true
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$output"
export TARVEL_DEMO_ROOT="$work/demo" TARVEL_DEMO_SKIP_BUILD=1 BUILD_DIR="$build_dir"
# The windows' remembered places and the legend switch start from their defaults.
export XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
moment="2026-12-07 20:29:40"
clock=()
command -v faketime >/dev/null && clock=(faketime -f "@$moment")
station_menu="Связь с офисом/Настройки"
office_window=(--mode office --open "Связь/Настройки/Автоматическая отправка запроса")

# shot PICTURE WINDOW HOST-ARGUMENTS...: the window of that objectName as PICTURE.png, on the
# desktop that the array desktop (empty: offscreen, the default theme) starts the host on.
desktop=()
shot() {
  local picture="$1" window="$2"
  shift 2
  rm -rf "$work/shots"
  "${desktop[@]}" "${clock[@]}" scripts/run-demo.sh "$@" --screenshot "$work/shots" \
    >"$work/host.log" 2>&1 ||
    { cat "$work/host.log"; echo "screenshots.sh: the host failed for $picture" >&2; exit 1; }
  [ -f "$work/shots/$window.png" ] ||
    { ls "$work/shots"; echo "screenshots.sh: no window $window for $picture" >&2; exit 1; }
  cp "$work/shots/$window.png" "$output/$picture.png"
  echo "$output/$picture.png"
}

shot station-auto-send TAutoSendForm --open "$station_menu/Автоматическая отправка"
shot station-removable-medium TFlashkaForm --open "$station_menu/Сменный носитель"
shot station-password TSecurityForm --open "$station_menu/Безопасность соединения"
shot office-window TAutoZaprosOfficeForm "${office_window[@]}"
shot station-editor TAutoItemSettForm "${office_window[@]}" --click "lbAZSname#2"
if [ ${#clock[@]} -gt 0 ]; then
  shot countdown TQueryForm --mode office --screenshot-when TQueryForm
else
  shot countdown TQueryForm --poll-next-minute --mode office --screenshot-when TQueryForm
fi
# The dark theme: Window, Button, View (the fields), Selection and Tooltip colours.
dark_config="$work/dark-config"
mkdir -p "$dark_config"
printf '%s\n' '[Colors:Window]' 'BackgroundNormal=34,32,32' 'ForegroundNormal=255,255,255' \
  '[Colors:Button]' 'BackgroundNormal=66,66,69' 'ForegroundNormal=255,255,255' \
  '[Colors:View]' 'BackgroundNormal=61,61,61' 'BackgroundAlternate=92,91,90' \
  'ForegroundNormal=255,255,255' 'ForegroundLink=9,134,211' 'ForegroundVisited=167,11,6' \
  '[Colors:Selection]' 'BackgroundNormal=18,96,138' 'ForegroundNormal=249,249,249' \
  '[Colors:Tooltip]' 'BackgroundNormal=63,63,54' 'ForegroundNormal=255,255,255' \
  >"$dark_config/kdeglobals"
if command -v xvfb-run >/dev/null; then
  desktop=(env XDG_CONFIG_HOME="$dark_config" QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME=kde
    KDE_SESSION_VERSION=5 xvfb-run -a)
  shot office-window-dark TAutoZaprosOfficeForm "${office_window[@]}"
  desktop=()
else
  echo "screenshots.sh: no xvfb-run, so no office-window-dark.png (scripts/install-dependencies.sh)" >&2
fi
"${clock[@]}" "$build_dir/bin/tarvel-schedule" --ini "$TARVEL_DEMO_ROOT/WINDOWS/cnf.INI" \
  --at "${moment%:*}" chart "$output/chart.png" --zoom 2 --forecast 3

if command -v optipng >/dev/null; then
  optipng -quiet -o5 -strip all "$output"/*.png
fi
ls -l "$output"
