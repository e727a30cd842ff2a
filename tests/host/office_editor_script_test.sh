#!/usr/bin/env bash
# The reference host, offscreen on the demo office database, played as an operator plays it: open
# the office window, click the third station, add two daily times, click the first line (the
# field shows its time), type a new time (the first line changes, the second does not); then the
# same for weekday rows. Each --expect ends the run with exit code 1 when the widget shows
# another text. The demo installation has no schedule yet, so the station starts from a fresh
# daily one; the click on rbDay keeps the script meaningful on a schedule of another kind too.
# Usage: office_editor_script_test.sh TARVEL-HOST TARVEL-DEMO-OFFICE-DATABASE
set -euo pipefail
host="$1"
demo_database="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/root/WINDOWS"
"$demo_database" "$work/root/FSYS/OFFICEDB/OFFICE.FDB"

QT_QPA_PLATFORM=offscreen "$host" --root "$work/root" --mode office \
  --open "Связь/Настройки/Автоматическая отправка запроса" \
  --click "lbAZSname#2" --click rbDay \
  --type meDayTime=0730 --click SpeedButton1 --type meDayTime=1805 --click SpeedButton1 \
  --click lbDayTime@0 --expect meDayTime=07:30 \
  --type meDayTime=0745 --expect lbDayTime@0=07:45 --expect lbDayTime@1=18:05 \
  --click rbWeek --click lvWeekDay@4 --type meWeekTime=2000 \
  --click lvWeekDay@2 --type meWeekTime=1000 \
  --click lvWeekDay@4 --expect meWeekTime=20:00 \
  --expect "lvWeekDay@4=ПТ 20:00" --expect "lvWeekDay@2=СР 10:00" \
  --screenshot "$work/shots"
