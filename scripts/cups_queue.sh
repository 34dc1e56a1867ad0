#!/usr/bin/env bash
# Makes the CUPS print queue the printing tests use: starts the scheduler when
# it is not running and adds the PDF queue ZelbrinTestPDF (cups-pdf) when missing.
set -euo pipefail

queue=ZelbrinTestPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

as_root() {
    if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

if ! lpstat -r >/dev/null 2>&1; then
    echo "Starting the CUPS scheduler"
    as_root cupsd
    for _ in $(seq 1 50); do
        lpstat -r >/dev/null 2>&1 && break
        sleep 0.2
    done
fi
if ! lpstat -p "$queue" >/dev/null 2>&1; then
    echo "Adding the print queue $queue"
    as_root lpadmin -p "$queue" -v cups-pdf:/ -P "$ppd" -E 2>/dev/null
fi
lpstat -p "$queue" >/dev/null
as_root cupsenable "$queue"
as_root cupsaccept "$queue"

# A queue that refuses every job, for the tests of a refused print job.
refusing=ZelbrinTestRefusing
if ! lpstat -p "$refusing" >/dev/null 2>&1; then
    as_root lpadmin -p "$refusing" -v cups-pdf:/ -P "$ppd" -E 2>/dev/null
fi
as_root cupsreject -r "the tests' refusing queue" "$refusing"
