#!/usr/bin/env bash
# Builds everything and starts the reference host on a demo installation, with the plug-in and
# the stand-in sibling libraries beside it. Extra arguments go to tarvel-host, e.g.
#   scripts/run-demo.sh --mode office
#   scripts/run-demo.sh --open "Связь с офисом/Настройки/Автоматическая отправка" --screenshot shots
# The demo installation is $TARVEL_DEMO_ROOT, or ./demo; its cnf.INI is made only when absent,
# so settings applied in one run are there in the next. The siblings record every call in
# <root>/FSYS/Siblings.log.
# --poll-next-minute (this script's own option, given first) writes the office schedule afresh,
# with its first station, which asks the operator, also due at this minute and the coming one:
# the office's first polling tick, half a minute after the start, falls in one of them, so the
# confirmation dialog shows then (unless that minute is an hh:00, which the first walk skips):
#   scripts/run-demo.sh --poll-next-minute --mode office --screenshot shots --screenshot-when TQueryForm
# TARVEL_DEMO_SKIP_BUILD=1 uses what $BUILD_DIR (default build) already holds.
set -euo pipefail
demo_root="${TARVEL_DEMO_ROOT:-$PWD/demo}"
poll_next_minute=0
if [ "${1:-}" = --poll-next-minute ]; then
  poll_next_minute=1
  shift
fi
cd "$(dirname "$0")/.."
if [ "${TARVEL_DEMO_SKIP_BUILD:-0}" != 1 ]; then
  scripts/install-dependencies.sh
  scripts/build.sh
fi
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

# The office: its database (a dozen stations) and a schedule for eleven of them, daily, by
# weekdays, switched off and overlapping, so that the chart shows green and red. The twelfth
# station has no schedule yet: the office window gives it a fresh one.
"$build_dir/bin/tarvel-demo-office-database" "$demo_root/FSYS/OFFICEDB/OFFICE.FDB"
next_minute=()
if [ "$poll_next_minute" = 1 ]; then
  # The old schedule goes: every [AutoZapros...] section up to the next other section.
  LC_ALL=C awk '/^\[/ { skip = tolower($0) ~ /^\[autozapros/ } !skip' "$settings" >"$settings.new"
  mv "$settings.new" "$settings"
  now="$(date +%s)"
  next_minute=("$(date -d "@$now" +%H:%M)" "$(date -d "@$((now + 60))" +%H:%M)")
  echo "The first station is due at ${next_minute[0]} and ${next_minute[1]}"
fi
if ! grep -qi '^\[AutoZapros\]' "$settings"; then
  item() {  # index enable ask name conntype kind times...
    local index=$1 enable=$2 ask=$3 name=$4 conn=$5 kind=$6
    shift 6
    printf '%s\r\n' "[AutoZaprosItem$index]" "Enable=$enable" "HasUserQuery=$ask" \
      "AZSName=$name" "ConnType=$conn" "ConnTimeTipe=$kind"
    if [ "$kind" != 3 ]; then
      printf '%s\r\n' "CPcount=$#"
      local slot=0
      for time in "$@"; do
        printf '%s\r\n' "CP${slot}time=$time"
        slot=$((slot + 1))
      done
    fi
  }
  {
    printf '%s\r\n' '[AutoZapros]' 'Count=11'
    item 0 1 1 'АЗС №1 Центральная' 3 1 08:00 20:30 "${next_minute[@]}"
    item 1 1 0 'АЗС №2 Вокзальная' 1 1 08:00
    item 2 1 1 'АЗС №3 Заречье' 2 2 09:00 '' 09:00 '' 09:00 '' ''
    item 3 0 1 'АЗС №4 Северная' 3 1 10:00
    item 4 1 0 'АЗС №5 Трасса М-4' 3 1 14:00 14:20
    item 5 1 1 'АЗС №6 Промзона' 1 2 '' 12:00 '' 12:00 '' '' ''
    item 6 1 0 'АЗС №7 Речной порт' 3 1 12:00
    item 7 1 1 'АЗС №8 Ёлочка' 3 3
    item 8 0 0 'АЗС №9 Южная' 2 2 07:00 '' '' '' '' 07:00 ''
    item 9 1 1 'АЗС №10 Аэропорт' 2 1 22:00
    item 10 1 0 'АЗС №11 Объездная' 1 1 06:00 18:00
  } | iconv -f UTF-8 -t CP1251 >>"$settings"
fi

echo "Demo installation: $demo_root"
exec "$build_dir/bin/tarvel-host" --root "$demo_root" "$@"
