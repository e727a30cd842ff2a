#!/usr/bin/env bash
# The desktop stage: the reference host on a real X server (Xvfb) with a window manager
# (openbox), a D-Bus session and the accessibility bus, driven only by real X input (xdotool)
# and read only through AT-SPI (pyatspi) by the pytest suite beside this script. The Wayland
# cases start a compositor (weston) in a window on the same X server and drive it by the same
# X input.
#   tests/desktop/run-desktop-tests.sh [PYTEST-ARGUMENTS...]
# Needs a build in $BUILD_DIR (default build). Screenshots of the X screen go to
# $BUILD_DIR/desktop-shots and stay there after the run, failed or not. Everything this script
# starts runs in its own process group and is ended when it exits.
set -euo pipefail
cd "$(dirname "$0")/../.."
repository="$PWD"
build_dir="$(cd "${BUILD_DIR:-build}" && pwd)"

# A process group of our own, so that whatever the servers start is ended with them, and this
# shell the reaper of what they leave orphaned (the accessibility registry is started detached),
# so that nothing of it is left behind, not even as a process entry.
if [ "$(ps -o pgid= $$ | tr -d ' ')" != "$$" ]; then
  exec setsid /usr/bin/python3 -c \
    'import ctypes, os, sys; ctypes.CDLL(None).prctl(36, 1, 0, 0, 0); os.execv(sys.argv[1], sys.argv[1:])' \
    "$0" "$@"
fi

work="$(mktemp -d)"
pids=()
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
stop_all() {
  local status=$?
  trap - EXIT INT TERM
  # The deepest first (the registry before the bus that started it, a host before its tests),
  # so that each is collected by a parent still there; this shell collects the servers.
  local leaves
  for _ in $(seq 1 20); do
    leaves="$(ps -e -o pid=,pgid=,ppid=,stat=,comm= | awk -v group=$$ '
      $2 == group && $1 != group && $4 !~ /^Z/ && $5 != "ps" && $5 != "awk" { member[$1] = $3 }
      END { for (p in member) parent[member[p]] = 1
            for (p in member) if (!(p in parent)) print p }')"
    [ -z "$leaves" ] && break
    kill $leaves 2>/dev/null || true
    sleep 0.3
  done
  wait 2>/dev/null || true
  rm -rf "$work"
  exit "$status"
}
trap stop_all EXIT
trap 'exit 130' INT TERM

wait_for_file() {  # FILE WHAT
  for _ in $(seq 1 600); do
    [ -s "$1" ] && return 0
    sleep 0.05
  done
  echo "run-desktop-tests.sh: $2 did not start" >&2
  exit 1
}

# The X server, on a display number away from the usual ones (other programs on the machine may
# assume :0 is theirs) and free now; it says when it is ready. Its screen is kept as a file to
# picture.
mkdir -p "$work/framebuffer"
display=$((100 + $$ % 800))
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -displayfd 3 -screen 0 1280x800x24 -fbdir "$work/framebuffer" -nolisten tcp \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for_file "$work/display" Xvfb
export DISPLAY=":$(head -n 1 "$work/display")"

# The D-Bus session, and on it the accessibility bus with its registry.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus" >"$work/dbus.log" 2>&1 &
pids+=($!)
wait_for_file "$work/bus" dbus-daemon
export DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$work/bus")"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/at-spi.log" 2>&1 &
pids+=($!)

# The window manager; it says when it is ready.
openbox --sm-disable --startup "touch $work/openbox-ready" >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 600); do
  [ -e "$work/openbox-ready" ] && break
  sleep 0.05
done
[ -e "$work/openbox-ready" ] ||
  { cat "$work/openbox.log" "$work/xvfb.log" >&2
    echo "run-desktop-tests.sh: openbox did not start on $DISPLAY" >&2; exit 1; }

export TARVEL_BUILD_DIR="$build_dir" TARVEL_REPOSITORY="$repository"
export TARVEL_DESKTOP_SHOTS="$build_dir/desktop-shots"
export TARVEL_FRAMEBUFFER="$work/framebuffer/Xvfb_screen0"
mkdir -p "$TARVEL_DESKTOP_SHOTS"
# pyatspi is a package of the system's Python, whatever python3 comes first on PATH; no
# byte code is left in the source tree.
export PYTHONDONTWRITEBYTECODE=1
/usr/bin/python3 -m pytest -p no:cacheprovider -W ignore::DeprecationWarning -q "$repository/tests/desktop" "$@"
