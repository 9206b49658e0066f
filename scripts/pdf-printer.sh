#!/usr/bin/env bash
# A private CUPS spooler with one PDF queue, for the printing test: a generic
# PDF printer (cups-filters' PPD) on a file device, so every job's PDF lands in
# DIR/out/job.pdf as the spooler's own filters passed it on. (The cups-pdf
# backend goes through PostScript and Ghostscript, which redraw the embedded
# fonts so that their text no longer reads back.) The machine's own CUPS is
# left alone: configuration, spool and socket live in DIR.
#
#   eval "$(scripts/pdf-printer.sh start DIR)"   # exports CUPS_SERVER and ZT_PDF_PRINTER_OUT
#   scripts/pdf-printer.sh stop DIR
#
# start prints nothing to evaluate (and exits 0) when the spooler cannot run
# here; the printing test then reports itself skipped.
set -euo pipefail

queue=Zetlogic_PDF
action=${1:-}
dir=${2:-}
[ -n "$action" ] && [ -n "$dir" ] || { echo "usage: $0 start|stop DIR" >&2; exit 64; }

stop() {
  if [ -f "$dir/cupsd.pid" ]; then
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    # It writes its state on the way out.
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    rm -f "$dir/cupsd.pid"
  fi
}

if [ "$action" = stop ]; then
  stop
  exit 0
fi
[ "$action" = start ] || { echo "usage: $0 start|stop DIR" >&2; exit 64; }

unavailable() {
  echo "pdf-printer: $*; the spooler test will be skipped" >&2
  exit 0
}

[ "$(id -u)" -eq 0 ] || unavailable "cupsd runs its jobs as lp only when started by root"
[ -x /usr/sbin/cupsd ] || unavailable "cups is missing"

stop
rm -rf "$dir"
# Jobs run as lp: the folders they use must let it through.
mkdir -p "$dir"/{etc/ppd,spool,tmp,cache,state,log,out}
chmod 755 "$dir" "$dir"/etc
chown root:lp "$dir"/out && chmod 775 "$dir"/out
chown root:lp "$dir"/tmp && chmod 1770 "$dir"/tmp
dir=$(cd "$dir" && pwd)
socket=$dir/cups.sock

cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
User lp
Group lp
FileDevice Yes
EOF
cat >"$dir/etc/cupsd.conf" <<EOF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF

/usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/cupsd.pid"
export CUPS_SERVER=$socket
for _ in $(seq 50); do
  lpstat -r >/dev/null 2>&1 && break
  sleep 0.1
done
lpstat -r >/dev/null 2>&1 || { stop; unavailable "cupsd did not start (see $dir/log)"; }
lpadmin -p "$queue" -E -v "file://$dir/out/job.pdf" -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd -o printer-error-policy=abort-job 2>/dev/null ||
  { stop; unavailable "the queue $queue could not be added"; }
lpadmin -d "$queue"
echo "export CUPS_SERVER='$socket' ZT_PDF_PRINTER_OUT='$dir/out'"
