#!/usr/bin/env bash
# Installs VantorraAds as a person would and checks what lands on the disk:
#
#     tests/install-check.sh BUILD_DIR
#
# BUILD_DIR is a configured and built tree (test.sh uses a plain Release build). The check
# runs `cmake --install` into a temporary prefix and validates the desktop entry, the
# AppStream metadata, the icons, the manual pages, the help file and the installed
# programs; then it makes the Debian package with `cpack -G DEB` and checks its files and
# dependencies. Nothing is installed into the system except the Debian tools the checks
# use. Every failing check is reported; the script fails when one does.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

build=${1:?usage: tests/install-check.sh BUILD_DIR}
build=$(cd "$build" && pwd) || exit 1
id=example.tellwind.VantorraAds

vantorra_install_packages desktop-file-utils appstream man-db groff-base dpkg-dev file || exit 1

work=$(mktemp -d -t vantorra-install.XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0

ok() { echo "install-check: ok: $*"; }
fail() {
    echo "install-check: FAILED: $*" >&2
    failures=$((failures + 1))
}
# check DESCRIPTION COMMAND...: runs the command; its output is shown only when it fails.
check() {
    local what=$1 out
    shift
    if out=$("$@" 2>&1); then
        ok "$what"
    else
        fail "$what"
        [ -n "$out" ] && printf '%s\n' "$out" | sed 's/^/    /' >&2
    fi
}

# ---- cmake --install ----------------------------------------------------------------------
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "install-check: FAILED: cmake --install into a temporary prefix" >&2
    exit 1
fi
ok "cmake --install into a temporary prefix"

expected=(
    bin/vantorraads
    bin/vantorra-mediagen
    share/applications/$id.desktop
    share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg
    share/icons/hicolor/48x48/apps/$id.png
    share/icons/hicolor/256x256/apps/$id.png
    share/man/man1/vantorraads.1.gz
    share/man/man1/vantorra-mediagen.1.gz
    share/doc/vantorraads/copyright
)
[ -f help/vantorraads.html ] && expected+=(share/vantorraads/vantorraads.html)
missing=()
for f in "${expected[@]}"; do
    [ -f "$prefix/$f" ] || missing+=("$f")
done
for f in bin/vantorraads bin/vantorra-mediagen; do
    [ -x "$prefix/$f" ] || missing+=("$f (executable)")
done
if [ ${#missing[@]} -eq 0 ]; then ok "installed files (${#expected[@]})"; else fail "not installed: ${missing[*]}"; fi

# ---- desktop entry and AppStream metadata -----------------------------------------------
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
check "desktop-file-validate accepts the desktop entry" desktop-file-validate "$desktop"
check "appstreamcli validate accepts the metadata" appstreamcli validate --no-net "$metainfo"

entry() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
[ "$(entry Exec)" = vantorraads ] && [ -x "$prefix/bin/$(entry Exec)" ] \
    && ok "the entry starts the installed program" || fail "Exec=$(entry Exec) is not the installed program"
[ "$(entry Icon)" = "$id" ] && [ -f "$prefix/share/icons/hicolor/scalable/apps/$(entry Icon).svg" ] \
    && ok "the entry's icon is in the hicolor theme" || fail "Icon=$(entry Icon) is not an installed icon"
categories=";$(entry Categories);"
[[ $categories == *";Graphics;"* && $categories == *";Viewer;"* ]] && ok "the entry is a graphics viewer" \
    || fail "Categories=$(entry Categories) do not make a graphics viewer"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    && ok "the metadata launches the desktop entry" || fail "the metadata does not name $id.desktop"

# ---- icons ----------------------------------------------------------------------------------
for size in 48 256; do
    kind=$(file -b "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png")
    case "$kind" in
    "PNG image data, $size x $size,"*) ok "icon ${size}x$size" ;;
    *) fail "icon ${size}x$size is: $kind" ;;
    esac
done
case "$(file -b "$prefix/share/icons/hicolor/scalable/apps/$id.svg")" in
*SVG*) ok "scalable icon" ;;
*) fail "the scalable icon is not an SVG file" ;;
esac

# ---- the installed programs -----------------------------------------------------------------
export QT_QPA_PLATFORM=offscreen
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
answer=$("$prefix/bin/vantorraads" --version 2>&1)
[ "$answer" = "vantorraads $version" ] && ok "vantorraads --version: $answer" \
    || fail "vantorraads --version answered '$answer', expected 'vantorraads $version'"
grep -q "<release version=\"$version\"" "$metainfo" && ok "the metadata lists release $version" \
    || fail "the metadata has no release $version"
"$prefix/bin/vantorraads" --no-such-option >/dev/null 2>&1
status=$?
[ $status -eq 2 ] && ok "a wrong option exits with 2" || fail "a wrong option exited with $status"

help=$prefix/bin/../share/vantorraads/vantorraads.html
if [ -f help/vantorraads.html ]; then
    cmp -s help/vantorraads.html "$help" && ok "the help file is where the program looks for it" \
        || fail "the help file is not at <exe dir>/../share/vantorraads/vantorraads.html"
else
    echo "install-check: skipped: the source tree has no help/vantorraads.html to install"
fi

media=$work/media
if "$prefix/bin/vantorra-mediagen" "$media" --ad-size 64x83 >"$work/mediagen.log" 2>&1 \
    && [ -n "$(find "$media" -ipath '*/ads/*.jpg' -print -quit)" ]; then
    ok "the installed vantorra-mediagen writes media"
else
    fail "the installed vantorra-mediagen: $(tail -n 1 "$work/mediagen.log")"
fi
# The installed program runs on that media until it is stopped (it has no way to end by itself).
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
    XDG_RUNTIME_DIR=$work/runtime timeout 8 "$prefix/bin/vantorraads" --media "$media" \
    --library "$work/library" >"$work/run.log" 2>&1 </dev/null
status=$?
[ $status -eq 124 ] && ok "the installed vantorraads starts on the media" \
    || { fail "the installed vantorraads ended with $status on the media"; sed 's/^/    /' "$work/run.log" >&2; }

# ---- manual pages ---------------------------------------------------------------------------
for page in vantorraads vantorra-mediagen; do
    file=$prefix/share/man/man1/$page.1.gz
    warnings=$(zcat "$file" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] && ok "groff reads $page(1) without warnings" \
        || { fail "groff warns about $page(1)"; printf '%s\n' "$warnings" | sed 's/^/    /' >&2; }
    MANWIDTH=80 man -l "$file" >"$work/$page.txt" 2>"$work/man.err" && [ -s "$work/$page.txt" ] \
        && ok "man -l renders $page(1)" || fail "man -l $page(1): $(cat "$work/man.err")"
done
# Every option the program lists in its help is in the manual page.
undocumented=()
for option in $("$prefix/bin/vantorraads" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -- "$option" "$work/vantorraads.txt" || undocumented+=("$option")
done
for section in OPTIONS MEDIA FILES "EXIT STATUS"; do
    grep -q "^$section" "$work/vantorraads.txt" || undocumented+=("section $section")
done
[ ${#undocumented[@]} -eq 0 ] && ok "the manual page covers every option of --help" \
    || fail "vantorraads(1) lacks: ${undocumented[*]}"

# ---- the Debian package -------------------------------------------------------------------
if (cd "$build" && cpack -G DEB -B "$work/deb") >"$work/cpack.log" 2>&1; then
    deb=$(ls "$work/deb"/vantorraads_*.deb 2>/dev/null | head -n 1)
fi
if [ -z "${deb:-}" ]; then
    fail "cpack -G DEB made no package"
    sed 's/^/    /' "$work/cpack.log" >&2
else
    ok "cpack -G DEB made $(basename "$deb")"
    field() { dpkg-deb -f "$deb" "$1"; }
    before=$failures
    [ "$(field Package)" = vantorraads ] || fail "package name is '$(field Package)'"
    [ "$(field Section)" = graphics ] || fail "section is '$(field Section)'"
    case "$(field Maintainer)" in *@*.example\>) ;; *) fail "maintainer is '$(field Maintainer)'" ;; esac
    case "$(field Version)" in "$version"-*) ;; *) fail "version is '$(field Version)'" ;; esac
    [ $failures -eq $before ] && ok "package $(field Package) $(field Version), section $(field Section)"
    depends=$(field Depends)
    lacking=()
    for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libc6; do
        case ", $depends," in *", $lib "*|*", $lib,"*) ;; *) lacking+=("$lib") ;; esac
    done
    [ ${#lacking[@]} -eq 0 ] && ok "package dependencies: $depends" || fail "Depends lacks ${lacking[*]}: $depends"

    # The package holds exactly what cmake --install puts into a prefix, under /usr.
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | sort >"$work/deb.files"
    (cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$work/prefix.files"
    if diff -u "$work/prefix.files" "$work/deb.files" >"$work/files.diff"; then
        ok "the package holds the installed files under /usr ($(wc -l <"$work/deb.files") files)"
    else
        fail "the package's files differ from the installed ones"
        sed 's/^/    /' "$work/files.diff" >&2
    fi
    # Its dependencies can be met on this system (apt only simulates the installation).
    check "apt-get resolves the package's dependencies" \
        apt-get install --simulate --no-install-recommends "$deb"
fi

if [ $failures -gt 0 ]; then
    echo "install-check: $failures check(s) failed" >&2
    exit 1
fi
echo "install-check: all checks passed"
