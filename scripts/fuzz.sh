#!/usr/bin/env bash
# Builds the fuzz targets with clang (build-fuzz/), makes their seed corpora
# with the program's own writers and runs every target for SECONDS seconds
# (default 300), one after the other. Prints each target's executions and
# findings; exits non-zero when any target found a crash, a hang, a leak or
# a wrong result. A finding is saved as build-fuzz/findings/<target>/crash-*
# (or timeout-*, leak-*, oom-*): copy it to tests/data/fuzz/<target>/ so the
# ordinary suite keeps testing it.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-300}"
shift || true
targets=("$@")
((${#targets[@]})) || targets=(album template jpeg exif page)
root="$PWD"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"

CC=clang CXX=clang++ cmake -S fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 >/dev/null

# Seeds: written afresh, plus the library's own arithmetic and 12-bit samples
# with their licence beside them, and every input that ever failed.
seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"/{album,template,jpeg,exif,page}
"$build/make_fuzz_seeds" "$seeds"
cp tests/data/testimages/* "$seeds/jpeg/"
# An EXIF block after its "Exif" header: little-endian, one entry, Orientation 6.
printf 'II*\0\10\0\0\0\1\0\22\1\3\0\1\0\0\0\6\0\0\0\0\0\0\0' >"$seeds/exif/orientation6"
for t in album template jpeg exif page; do
    if [[ -d tests/data/fuzz/$t ]]; then cp tests/data/fuzz/$t/* "$seeds/$t/"; fi
done

status=0
for t in "${targets[@]}"; do
    corpus="$build/corpus/$t"
    findings="$build/findings/$t"
    log="$build/fuzz_$t.log"
    # Findings of an earlier run were reported then; each run starts afresh.
    rm -rf "$findings"
    mkdir -p "$corpus" "$findings"
    # The reader's messages about damaged files go to stderr with libFuzzer's
    # own report: everything goes to the log, the summary to the terminal.
    set +e
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
    LSAN_OPTIONS=suppressions="$root/fuzz/lsan.supp":print_suppressions=0 QT_QPA_PLATFORM=offscreen \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "$seeds/$t" >"$log" 2>&1
    rc=$?
    set -e
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    found=$(find "$findings" -type f | wc -l)
    printf 'fuzz %-8s %3ss  executions %-10s findings %s\n' "$t" "$seconds" "${execs:-?}" "$found"
    if ((rc != 0 || found != 0)); then
        status=1
        echo "---- fuzz_$t failed (exit $rc); the end of $log:"
        grep -v -e '^Corrupt JPEG' -e '^Premature end' -e 'error opening' "$log" | tail -40
        find "$findings" -type f
    fi
done
exit $status
