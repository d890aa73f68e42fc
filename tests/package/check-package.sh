#!/usr/bin/env bash
# Installs a build into a scratch folder and makes its Debian package, then
# checks what they hold: the desktop entry, the MIME type, the metainfo, the
# icons, the man page, the bash completion, the package's file list and its
# maintainer scripts. Nothing outside the scratch folder is touched.
#
#   check-package.sh BUILD_DIR VERSION APP_ID
set -euo pipefail

build=$(cd "$1" && pwd)
version=$2
app_id=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# Runs a checker; its output is shown only when it fails or complains.
quiet() {
    local out
    if ! out=$("$@" 2>&1); then
        fail "$*"
        echo "$out" >&2
    elif [ -n "$out" ]; then
        printf '%s\n' "$out"
    fi
}

# The installed files, as `cmake --install` lays them out for a package.
DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
usr=$scratch/root/usr
share=$usr/share

quiet desktop-file-validate "$share/applications/ovra.desktop"
metainfo=$share/metainfo/$app_id.metainfo.xml
if ! out=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
    fail "appstreamcli validate $metainfo"
    echo "$out" >&2
fi
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo names no release $version"
quiet xmllint --noout "$share/mime/packages/ovra.xml" "$metainfo" "$share/icons/hicolor/scalable/apps/ovra.svg"

# The MIME database accepts the type, its glob and its content rule.
cp -r "$share/mime" "$scratch/mime"
quiet env XDG_DATA_DIRS="$scratch" update-mime-database "$scratch/mime"
[ -f "$scratch/mime/application/x-fennmarch-army.xml" ] || fail "update-mime-database made no army-file type"
grep -q "application/x-fennmarch-army" "$scratch/mime/magic" || fail "the army-file type has no content rule"
grep -q "\*\.evr" "$scratch/mime/globs2" || fail "the army-file type has no *.evr glob"

for size in 16 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x$size/apps/ovra.png
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "$icon is not a $size px PNG"
done

# The man page renders without a warning.
zcat "$share/man/man1/ovra.1.gz" >"$scratch/ovra.1"
if [ -n "$(groff -man -ww -z "$scratch/ovra.1" 2>&1)" ]; then
    fail "groff warns about the man page"
    groff -man -ww -z "$scratch/ovra.1" >&2 || true
fi
if command -v mandoc >/dev/null; then
    quiet mandoc -T lint "$scratch/ovra.1"
fi
for command in catalogue new min-max check export-html export-pdf export-text lint diff-lists diff; do
    roff=${command//-/\\-}
    grep -qF -e "\\fB$roff\\fR" -e ".BR $roff " "$scratch/ovra.1" || fail "the man page does not describe $command"
done

# The installed program: its version, and no army lists beside /usr/bin.
[ "$("$usr/bin/ovra" --version)" = "ovra $version" ] || fail "ovra --version does not print ovra $version"
sources=$(XDG_DATA_DIRS="$scratch/data" XDG_DATA_HOME="$scratch/home" "$usr/bin/ovra" catalogue --sources)
case $sources in
*"  program "*) fail "the installed program reads army lists beside itself" ;;
esac
case $sources in
*"  system $scratch/data/ovra/armylists"*) ;;
*) fail "the installed program does not read the system army-list folder" ;;
esac

# Bash completion: commands, options and values.
completion=$share/bash-completion/completions/ovra
bash -n "$completion" || fail "the bash completion does not parse"
complete_words() { # prints the completions for the words given, the last one being completed
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _ovra; printf "%s\n" "${COMPREPLY[@]}" | sort' \
        _ "$completion" ovra "$@"
}
expect_completion() { # WORDS... = EXPECTED
    local words=() expected
    while [ "$1" != "=" ]; do
        words+=("$1")
        shift
    done
    shift
    expected=$(printf '%s\n' "$@" | sort)
    local got
    got=$(cd "$scratch" && complete_words "${words[@]}")
    [ "$got" = "$expected" ] || fail "completing '${words[*]}' gives '${got//$'\n'/ }', not '$*'"
}
mkdir -p "$scratch/files"
touch "$scratch/files/a.evr" "$scratch/files/b.dfm" "$scratch/files/c.pdf"
expect_completion export- = export-html export-pdf export-text
expect_completion --v = --version
expect_completion export-pdf a.evr b.pdf --info "" = complete short none
expect_completion check --j = --json
expect_completion lint --b = --builtin
expect_completion catalogue --s = --sources
expect_completion -style F = Fusion
expect_completion check files/ = files/a.evr
expect_completion lint files/ = files/b.dfm
expect_completion export-pdf files/ = files/a.evr files/c.pdf
expect_completion check -- files/ = files/a.evr

# The package holds the same files, and refreshes the caches.
(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
deb=$(echo "$scratch"/package/ovra_"$version"_*.deb)
[ -f "$deb" ] || fail "cpack made no ovra_${version} package"
dpkg -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | sort >"$scratch/deb-files"
(cd "$scratch/root" && find . -type f | sed 's|^\./||' | sort) >"$scratch/installed-files"
diff -u "$scratch/installed-files" "$scratch/deb-files" >&2 || fail "the package and the install differ"
for path in usr/bin/ovra usr/share/applications/ovra.desktop usr/share/mime/packages/ovra.xml \
    usr/share/icons/hicolor/scalable/apps/ovra.svg usr/share/icons/hicolor/48x48/apps/ovra.png \
    usr/share/man/man1/ovra.1.gz "usr/share/metainfo/$app_id.metainfo.xml" \
    usr/share/bash-completion/completions/ovra; do
    grep -qx "$path" "$scratch/deb-files" || fail "the package lacks /$path"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
dpkg-deb -f "$deb" Depends | grep -q "libqt6widgets6" || fail "the package does not depend on Qt Widgets"

# Its maintainer scripts run the cache tools, found on PATH, on /usr/share.
dpkg-deb -e "$deb" "$scratch/control"
mkdir "$scratch/stubs"
for tool in update-mime-database update-desktop-database gtk-update-icon-cache; do
    printf '#!/bin/sh\necho "%s $*" >>"%s"\n' "$tool" "$scratch/calls" >"$scratch/stubs/$tool"
    chmod +x "$scratch/stubs/$tool"
done
expected_calls="update-mime-database /usr/share/mime
update-desktop-database -q /usr/share/applications"
[ -e /usr/share/icons/hicolor/index.theme ] &&
    expected_calls+=$'\n'"gtk-update-icon-cache -q -t -f /usr/share/icons/hicolor"
for run in "postinst configure" "postrm remove" "postinst abort-upgrade" "postrm upgrade"; do
    script=${run% *}
    argument=${run#* }
    rm -f "$scratch/calls"
    PATH="$scratch/stubs:$PATH" sh "$scratch/control/$script" "$argument" || fail "$run failed"
    calls=$(cat "$scratch/calls" 2>/dev/null || true)
    case $argument in
    configure | remove) [ "$calls" = "$expected_calls" ] || fail "$run ran '$calls'" ;;
    *) [ -z "$calls" ] || fail "$run ran '$calls'" ;;
    esac
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package ovra $version: install, .deb and its files check out"
