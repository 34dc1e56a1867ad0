#!/usr/bin/env bash
# Installs Zelbrin into a scratch prefix and checks what a desktop sees of it:
# the validators accept the desktop entry, the AppStream file and the MIME
# package; the installed MIME database gives albums and templates their types;
# the installed program runs; the manual page lists exactly the options that
# --help lists.
# Usage: install_test.sh SOURCE-DIR BUILD-DIR MIME-PROBE
set -euo pipefail
src="$1" build="$2" probe="$3"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
check() { # description, command...
    local what="$1"; shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"
check "desktop entry validates" desktop-file-validate "$share/applications/zelbrin.desktop"
check "AppStream metainfo validates" appstreamcli validate --no-net \
    "$share/metainfo/io.github.zelbrin.Zelbrin.metainfo.xml"
check "MIME package is well-formed XML" xmllint --noout "$share/mime/packages/zelbrin.xml"
for size in 16 24 32 48 64 128 256; do
    icon="$share/icons/hicolor/${size}x${size}/apps/zelbrin.png"
    check "icon ${size}x${size} is a PNG of that size" \
        bash -c "file '$icon' | grep -q 'PNG image data, $size x $size'"
done

update-mime-database "$share/mime" >/dev/null 2>&1
printf '4\r\n0\r\n' >"$prefix/page.alb"
printf '1\r\n\r\n0.500000\r\n0.500000\r\n0.900000\r\n0.900000\r\n\r\n' >"$prefix/layout.zbt"
types=$(XDG_DATA_DIRS="$share" XDG_DATA_HOME="$prefix/none" QT_QPA_PLATFORM=offscreen \
    "$probe" "$prefix/page.alb" "$prefix/layout.zbt" | tr '\n' ' ')
check "albums and templates get their types ($types)" \
    test "$types" = "application/x-zelbrin-album application/x-zelbrin-template "

check "the installed program runs" \
    bash -c "QT_QPA_PLATFORM=offscreen '$prefix/bin/zelbrin' --version | grep -q '^Zelbrin '"

help_opts=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/zelbrin" --help |
    grep -o -- '--[a-z][a-z-]*' | sort -u | tr '\n' ' ')
man_opts=$(sed 's/\\-/-/g' "$share/man/man1/zelbrin.1" | sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' |
    grep -o -- '--[a-z][a-z-]*' | sort -u | tr '\n' ' ')
check "the manual page shows a batch example" \
    grep -q -- '^ *zelbrin \\-\\-template' "$share/man/man1/zelbrin.1"
check "the manual page lists the options of --help (help: $help_opts; manual: $man_opts)" \
    test "$help_opts" = "$man_opts"

if ((failures)); then
    echo "$failures install checks failed"
    exit 1
fi
echo "every install check passed"
