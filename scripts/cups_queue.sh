#!/usr/bin/env bash
# Makes the CUPS print queue the printing tests use: starts the scheduler when
# it is not running and adds the PDF queue ZelbrinTestPDF (cups-pdf) when missing.
set -euo pipefail

queue=ZelbrinTestPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

as_root() {
    if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

# lpstat -r exits 0 whether or not the scheduler runs: read what it says
# (in the C locale, as other locales translate it).
scheduler_running() {
    [[ "$(LC_ALL=C lpstat -r 2>/dev/null)" == "scheduler is running" ]]
}

if ! scheduler_running; then
    echo "Starting the CUPS scheduler"
    as_root cupsd
    for _ in $(seq 1 100); do
        scheduler_running && break
        sleep 0.2
    done
    scheduler_running || { echo "The CUPS scheduler did not start" >&2; exit 1; }
fi
if ! lpstat -p "$queue" >/dev/null 2>&1; then
    echo "Adding the print queue $queue"
    as_root lpadmin -p "$queue" -v cups-pdf:/ -P "$ppd" -E
fi
lpstat -p "$queue" >/dev/null
as_root cupsenable "$queue"
as_root cupsaccept "$queue"

# A queue that refuses every job, for the tests of a refused print job.
refusing=ZelbrinTestRefusing
if ! lpstat -p "$refusing" >/dev/null 2>&1; then
    as_root lpadmin -p "$refusing" -v cups-pdf:/ -P "$ppd" -E
fi
as_root cupsreject -r "the tests' refusing queue" "$refusing"
