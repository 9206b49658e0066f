#!/usr/bin/env bash
# The Debian package as an operator gets it: unpacked into a fresh root, its
# layout and metadata checked, then zt and the program run from it, once where
# the installed folder is writable (it is used as it is) and once as a user
# who may not write there (a folder of the user's, stocked with the shipped
# working files). Exits 77, skipped, with the reason when dpkg-deb or the
# package is missing.
#   package_e2e.sh BUILD_DIR VERSION SOURCE_DIR
set -uo pipefail
build=$1 version=$2 source=$3

skip() {
  echo "SKIP: $*"
  exit 77
}
failures=0
checks=0
check() {  # check WHAT COMMAND...: the command must succeed
  local what=$1
  shift
  checks=$((checks + 1))
  if ! "$@"; then
    echo "FAIL: $what" >&2
    failures=$((failures + 1))
  fi
}
same() { [ "$1" = "$2" ] || { printf '  got:      %s\n  expected: %s\n' "$1" "$2" >&2; false; }; }

command -v dpkg-deb >/dev/null || skip "dpkg-deb is missing (Debian's dpkg package)"
shopt -s nullglob
debs=("$build"/zetlogic_"$version"_*.deb)
[ ${#debs[@]} -eq 1 ] || skip "no package zetlogic_${version}_*.deb in $build; make it there with 'cpack -G DEB' (scripts/test.sh and scripts/package.sh do)"
deb=${debs[0]}
for exe in app/zetlogic tools/zt/zt sim/zt-sim; do
  [ ! "$build/$exe" -nt "$deb" ] || skip "$deb is older than $exe built beside it; run 'cpack -G DEB' in $build again"
done

tmp=$(mktemp -d /tmp/zt-package.XXXXXX)
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
  chmod -R u+w "$tmp" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
chmod 755 "$tmp"
root=$tmp/root
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x $deb" >&2; exit 1; }
root=$(realpath "$root")
lib=$root/usr/lib/zetlogic

echo "== the package's control fields"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 fonts-liberation2 cups-client qt6-translations-l10n; do
  check "Depends names $dep: $depends" grep -qE "(^|, )$dep( |,|$)" <<<"$depends"
done
check "Package" same "$(dpkg-deb -f "$deb" Package)" zetlogic
check "Version" same "$(dpkg-deb -f "$deb" Version)" "$version"
# Each names the version by hand: one left behind at a new version is caught here.
check "the changelog's version" same "$(zcat "$root/usr/share/doc/zetlogic/changelog.gz" | head -n 1 | cut -d' ' -f2)" "($version)"

echo "== the layout: the executables and Work/ in one folder, linked from /usr/bin"
for exe in zetlogic zt zt-sim; do
  check "/usr/bin/$exe links to the program folder" same "$(readlink "$root/usr/bin/$exe")" "../lib/zetlogic/$exe"
  check "$lib/$exe is an executable file" test -f "$lib/$exe" -a -x "$lib/$exe" -a ! -L "$lib/$exe"
done
shipped=()
for file in "$source"/app/work/*; do shipped+=("$(basename "$file")"); done
check "some working files are shipped" test ${#shipped[@]} -gt 0
for name in "${shipped[@]}"; do
  check "Work/$name as shipped" cmp -s "$source/app/work/$name" "$lib/Work/$name"
done
check "Report/ is there, empty" same "$(ls -A "$lib/Report" 2>&1)" ""

echo "== the menu entry, its icon and the AppStream metadata"
desktop=$root/usr/share/applications/zetlogic.desktop
for line in Exec=zetlogic Icon=zetlogic Type=Application Terminal=false; do
  check "$line in the desktop entry" grep -qx "$line" "$desktop"
done
for key in 'Name' 'Name\[ru\]' 'Comment' 'Comment\[ru\]' 'Categories'; do
  check "$key= in the desktop entry" grep -qE "^$key=.+" "$desktop"
done
command -v desktop-file-validate >/dev/null && check "desktop-file-validate" desktop-file-validate "$desktop"
png_size() {  # width x height from the PNG header
  local bytes
  read -ra bytes < <(od -An -tu1 -j16 -N8 "$1")
  echo "$(((bytes[0] << 24) + (bytes[1] << 16) + (bytes[2] << 8) + bytes[3]))x$(((bytes[4] << 24) + (bytes[5] << 16) + (bytes[6] << 8) + bytes[7]))"
}
for size in 16 32 48 64 128 256; do
  check "the ${size}x$size icon is that size" same "$(png_size "$root/usr/share/icons/hicolor/${size}x$size/apps/zetlogic.png")" "${size}x$size"
done
check "the scalable icon" grep -q "<svg" "$root/usr/share/icons/hicolor/scalable/apps/zetlogic.svg"
metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
check "one metainfo file" test ${#metainfo[@]} -eq 1
check "the metainfo's release is $version" grep -q "<release version=\"$version\"" "${metainfo[0]}"
command -v appstreamcli >/dev/null && check "appstreamcli validate" appstreamcli validate --no-net "${metainfo[0]}" >/dev/null

echo "== the manual pages and the completion"
for page in zt zt-sim zetlogic; do
  file=$root/usr/share/man/man1/$page.1.gz
  check "man page $page(1) of Zetlogic $version" grep -q "^\.TH .* \"Zetlogic $version\"" <(zcat "$file")
  if command -v man >/dev/null; then
    check "$page(1) formats without warnings" same "$(man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)" ""
  fi
done
completion=$root/usr/share/bash-completion/completions/zt
complete_zt() {  # the words offered after the command line given
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _zt; echo "${COMPREPLY[*]}"' _ "$completion" "$@"
}
check "zt's commands completed" same "$(complete_zt zt re)" "report read"
check "the time archive's tables" same "$(complete_zt zt report a.zt --archive time --tables '')" "all hourly alarms"
check "options not given yet" same "$(complete_zt zt write --port COM3 --password 1 --set-clock --)" \
  "--enterprise --branch --meter --workdir --help"

echo "== zt from a writable installed folder: that folder"
folder_line() { grep '^program folder: ' <<<"$1"; }
out=$(HOME=$tmp/home-root "$root/usr/bin/zt" --version 2>&1)
check "zt --version from a writable folder: $out" same "$(folder_line "$out")" "program folder: $lib"
check "zt --version names the version" same "$(head -n 1 <<<"$out")" "zt $version"
check "no per-user folder made" test ! -e "$tmp/home-root"

echo "== a user who may not write the installed folder"
home=$tmp/home
runtime=$tmp/run
mkdir -p "$home" "$runtime" "$tmp/data" "$tmp/closed"
chmod 700 "$runtime"
if [ "$(id -u)" -eq 0 ]; then
  # Root may write anywhere: the runs are made as nobody, who may not.
  command -v setpriv >/dev/null || skip "setpriv (util-linux) is missing, so the runs cannot leave root"
  getent passwd nobody >/dev/null || skip "there is no user nobody to run as"
  chown nobody:nogroup "$home" "$runtime" "$tmp/data"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
else
  chmod -R a-w "$lib"
  as_user=()
fi
chmod 555 "$tmp/closed"
run() { "${as_user[@]}" env -i PATH=/usr/bin:/bin "$@"; }
user_folder=$home/.local/share/zetlogic
installed_before=$(cd "$lib" && find . | sort)

# The program takes no arguments and waits for the operator: it runs until killed.
run HOME="$home" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen "$root/usr/bin/zetlogic" \
  >"$tmp/program.log" 2>&1 &
program_pid=$!
made=false
for _ in $(seq 300); do
  all=true
  for name in "${shipped[@]}"; do [ -f "$user_folder/Work/$name" ] || all=false; done
  if $all && [ -d "$user_folder/Report" ]; then
    made=true
    break
  fi
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
check "the program made $user_folder with Work/ and Report/" $made
sleep 1
check "the program is still up, waiting for the operator (its output: $(head -c 400 "$tmp/program.log"))" \
  kill -0 "$program_pid"
kill "$program_pid" 2>/dev/null
wait "$program_pid" 2>/dev/null
program_pid=
for name in "${shipped[@]}"; do
  check "Work/$name copied as shipped" cmp -s "$lib/Work/$name" "$user_folder/Work/$name"
done
check "Report/ made empty" same "$(ls -A "$user_folder/Report" 2>&1)" ""
check "nothing written in the installed folder" same "$(cd "$lib" && find . | sort)" "$installed_before"

out=$(run HOME="$home" "$root/usr/bin/zt" --version 2>&1)
check "zt --version names the user's folder: $out" same "$(folder_line "$out")" "program folder: $user_folder"
echo "edited by the operator" >"$tmp/edited"
"${as_user[@]}" cp "$tmp/edited" "$user_folder/Work/${shipped[0]}"
run HOME="$home" "$root/usr/bin/zt" --version >/dev/null 2>&1
check "an operator's file is kept at the next start" cmp -s "$tmp/edited" "$user_folder/Work/${shipped[0]}"

out=$(run HOME="$home" XDG_DATA_HOME="$tmp/data" "$root/usr/bin/zt" --version 2>&1)
check "XDG_DATA_HOME is followed: $out" same "$(folder_line "$out")" "program folder: $tmp/data/zetlogic"
out=$(run HOME="$home" XDG_DATA_HOME=data "$root/usr/bin/zt" --version 2>&1)
check "a relative XDG_DATA_HOME is ignored: $out" same "$(folder_line "$out")" "program folder: $user_folder"

out=$(run HOME="$tmp/closed" "$root/usr/bin/zt" --version 2>&1)
status=$?
check "a home that cannot be written to still runs" same "$status" 0
check "... from the installed folder: $out" same "$(folder_line "$out")" "program folder: $lib"
check "... and says why: $out" grep -q "^zt: cannot make $tmp/closed/.local/share/zetlogic/Work: Permission denied; working in $lib" <<<"$out"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
