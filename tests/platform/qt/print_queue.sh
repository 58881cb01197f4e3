#!/usr/bin/env bash
# Runs a test program against a print queue of its own: a private CUPS
# scheduler (configuration, spool, logs and socket in a temporary folder, no
# system service) with two queues whose driver hands on the PDF it receives
# and whose jobs land in a file each: "Magazzino", the default, and
# "Ufficio", the one the test picks. The program finds the scheduler
# through CUPS_SERVER and the queue and its file through DORNEVAL_TEST_QUEUE
# and DORNEVAL_TEST_QUEUE_OUTPUT. The scheduler is stopped and the folder
# removed on every way out.
#
#   print_queue.sh <test program> [arguments...]
#
# The scheduler runs its filters as the user lp, which needs root: without it
# the test is skipped (exit 77).
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  echo "A private print scheduler needs root: print queue test skipped."
  exit 77
fi
for tool in cupsd lpadmin lpstat; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (see tools/install-deps.sh)" >&2; exit 1; }
done
driver=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
[ -f "$driver" ] || { echo "$driver is missing (see tools/install-deps.sh)" >&2; exit 1; }

dir=$(mktemp -d /tmp/dorneval-cups.XXXXXX)
scheduler=
stop() {
  if [ -n "$scheduler" ]; then
    kill "$scheduler" 2>/dev/null || true
    wait "$scheduler" 2>/dev/null || true
  fi
  rm -rf "$dir"
}
trap stop EXIT
trap 'exit 1' INT TERM

# The filters (user lp) reach the spool and the temporary folder through it.
chmod 755 "$dir"
mkdir -p "$dir"/{spool,cache,state,log,out}
install -d -m 1770 -g lp "$dir/tmp"
cat >"$dir/cups-files.conf" <<EOF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
User lp
Group lp
SystemGroup root
FileDevice Yes
EOF
cat >"$dir/cupsd.conf" <<EOF
Listen $dir/cups.sock
Browsing No
WebInterface No
LogLevel info
DefaultAuthType None
ErrorPolicy abort-job
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
EOF

# In the foreground as our child, its output in its log; the time limit ends
# it even if this script is killed without a chance to stop it.
timeout 900 cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
scheduler=$!
export CUPS_SERVER="$dir/cups.sock"
for _ in $(seq 100); do
  lpstat -r >/dev/null 2>&1 && break
  sleep 0.1
done
if ! lpstat -r >/dev/null 2>&1; then
  echo "The private print scheduler did not start:" >&2
  cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
  exit 1
fi
# Two queues: the default one, which the program's print dialog offers
# first, and "Ufficio", which the test picks in the dialog's list.
lpadmin -p Magazzino -E -v "file:$dir/out/magazzino.pdf" -P "$driver" -o PageSize=A4 2>/dev/null
lpadmin -p Ufficio -E -v "file:$dir/out/job.pdf" -P "$driver" -o PageSize=A4 2>/dev/null
lpadmin -d Magazzino

export DORNEVAL_TEST_QUEUE=Ufficio DORNEVAL_TEST_QUEUE_OUTPUT="$dir/out/job.pdf"
status=0
timeout 600 "$@" || status=$?
if [ "$status" -ne 0 ]; then
  echo "--- the scheduler's log" >&2
  tail -n 60 "$dir/log/error_log" >&2 2>/dev/null || true
fi
exit "$status"
