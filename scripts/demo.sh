#!/usr/bin/env bash
# Builds the program and the bundled recorder simulator and starts them: the
# program finds the recorder behind Work/COM3 and opens its main window. A
# sample .zt file waits in Report/. Without a display, the same recorder is
# found, read, shown and reported on through the command-line tool instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DZT_TESTS=OFF -DZT_BENCH=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target zetlogic zt zt-sim

seed=${ZT_DEMO_SEED:-1}
sim=
trap '[ -n "$sim" ] && kill $sim 2>/dev/null || true' EXIT
start_recorder() {  # $1: the program folder
  rm -f "$1/Work/COM3"
  echo "== a recorder on a pseudo-terminal, at 38400 baud, behind $1/Work/COM3 (password 1234)"
  build/release/sim/zt-sim --seed "$seed" --password 1234 --link "$1/Work/COM3" &
  sim=$!
  for _ in $(seq 100); do [ -e "$1/Work/COM3" ] && break; sleep 0.05; done
}

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  app=build/release/app           # the program folder: Work/ and Report/ beside zetlogic
  build/release/tools/zt/zt sample --seed "$seed" -o "$app/Report/sample.zt" >/dev/null
  start_recorder "$app"
  echo "== zetlogic: the search finds the recorder, then the main window opens"
  echo "   ФАЙЛ > ОТКРЫТЬ ФАЙЛ opens Report/sample.zt; ВЫХОД ends the program"
  "$app/zetlogic"
  exit 0
fi

echo "== no display (DISPLAY is not set): the same work through the command-line tool zt"
bin=build/release/tools/zt          # the program folder: Work/ and Report/ live beside zt
zt=$bin/zt
mkdir -p "$bin/Work" "$bin/Report"
start_recorder "$bin"

echo "== zt search"
"$zt" search
echo "== zt read --port COM3 --password 1234 -o Report/demo.zt"
time "$zt" read --port COM3 --password 1234 -o "$bin/Report/demo.zt"
echo "== zt show Report/demo.zt"
"$zt" show "$bin/Report/demo.zt" --rows 4
echo "== zt report (operational archive, every table), first lines"
"$zt" report "$bin/Report/demo.zt" --archive oper --tables all \
  --from "01.01.2000 00:00:00" --to "24.11.2031 23:59:59" -o "$bin/Report/demo-report.txt"
iconv -f CP1251 -t UTF-8 "$bin/Report/demo-report.txt" | sed -n '1,30p'
echo "== the whole report: $bin/Report/demo-report.txt (Windows-1251, CR LF)"
