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
# The scheduler's own output and the last lines of its log, for any step that
# fails before the test runs.
show_log() {
  echo "--- the scheduler's output" >&2
  cat "$dir/log/cupsd.out" >&2 2>/dev/null || true
  echo "--- the scheduler's log" >&2
  tail -n 60 "$dir/log/error_log" >&2 2>/dev/null || true
}
# Runs one set-up step; on failure prints what the step said and the
# scheduler's log, then fails the script.
step() {
  local out
  if ! out=$("$@" 2>&1); then
    echo "Set-up step failed: $*" >&2
    [ -n "$out" ] && echo "$out" >&2
    show_log
    exit 1
  fi
}

# In the foreground as our child, its output in its log; the time limit ends
# it even if this script is killed without a chance to stop it.
timeout 900 cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
scheduler=$!
export CUPS_SERVER="$dir/cups.sock"
# lpstat -r exits 0 whether the scheduler runs or not: wait on what it says.
# Up to 10 s; a scheduler that has already ended is not waited for.
running() { [ "$(lpstat -r 2>&1)" = "scheduler is running" ]; }
for _ in $(seq 100); do
  running && break
  kill -0 "$scheduler" 2>/dev/null || break
  sleep 0.1
done
if ! running; then
  echo "The private print scheduler did not start within 10 s:" >&2
  lpstat -r >&2 2>&1 || true
  show_log
  exit 1
fi
# Two queues: the default one, which the program's print dialog offers
# first, and "Ufficio", which the test picks in the dialog's list.
step lpadmin -p Magazzino -E -v "file:$dir/out/magazzino.pdf" -P "$driver" -o PageSize=A4
step lpadmin -p Ufficio -E -v "file:$dir/out/job.pdf" -P "$driver" -o PageSize=A4
step lpadmin -d Magazzino

export DORNEVAL_TEST_QUEUE=Ufficio DORNEVAL_TEST_QUEUE_OUTPUT="$dir/out/job.pdf"
status=0
timeout 600 "$@" || status=$?
[ "$status" -eq 0 ] || show_log
exit "$status"
