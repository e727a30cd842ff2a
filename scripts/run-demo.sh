#!/usr/bin/env bash
# Builds everything and starts the reference host on a demo installation, with the plug-in and
# the stand-in sibling libraries beside it. Extra arguments go to tarvel-host, e.g.
#   scripts/run-demo.sh --mode office
#   scripts/run-demo.sh --open "Связь с офисом/Настройки/Автоматическая отправка" --screenshot shots
# The demo installation is $TARVEL_DEMO_ROOT, or ./demo; its cnf.INI is made only when absent,
# so settings applied in one run are there in the next. The siblings record every call in
# <root>/FSYS/Siblings.log.
set -euo pipefail
demo_root="${TARVEL_DEMO_ROOT:-$PWD/demo}"
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh
scripts/build.sh
build_dir="${BUILD_DIR:-build}"

mkdir -p "$demo_root/WINDOWS" "$demo_root/FSYS"
demo_root="$(cd "$demo_root" && pwd)"
settings="$demo_root/WINDOWS/cnf.INI"
if [ ! -e "$settings" ]; then
  # Windows-1251 and CR LF, as the host writes it; NAME is "АЗС 1".
  printf '%s\r\n' \
    '[PORT]' \
    $'NAME=\xc0\xc7\xd1 1' \
    '[Inet]' \
    'AutoSendEnable=0' \
    'ViaSend=1' \
    'WhenSend=1' \
    'SendInterval=1' \
    'LastSmena=0' \
    'PasswordEnable=0' \
    'EnableAutoZapros=0' >"$settings"
fi

echo "Demo installation: $demo_root"
exec "$build_dir/bin/tarvel-host" --root "$demo_root" "$@"
