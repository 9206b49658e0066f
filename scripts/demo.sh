#!/usr/bin/env bash
# Builds zt and the bundled recorder simulator, then does what an operator does:
# find the recorder, read its memory into a .zt file, show it, and build a report.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DZT_TESTS=OFF -DZT_BENCH=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target zt zt-sim

bin=build/release/tools/zt          # the program folder: Work/ and Report/ live beside zt
zt=$bin/zt
seed=${ZT_DEMO_SEED:-1}
mkdir -p "$bin/Work" "$bin/Report"

echo "== a recorder on a pseudo-terminal, at 38400 baud, behind Work/COM3"
build/release/sim/zt-sim --seed "$seed" --password 1234 --link "$bin/Work/COM3" &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -e "$bin/Work/COM3" ] && break; sleep 0.05; done

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
