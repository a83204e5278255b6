#!/usr/bin/env bash
# Prints an ad and a document through the program's print code on a real CUPS printer and
# checks the pages:
# installs CUPS and its PDF printer (Debian packages), starts cupsd when it is not running,
# makes a PDF queue the default printer and runs tst_cupsprint on it (offscreen).
#
#     tests/cups-print.sh BUILD_DIR
#
# When CUPS cannot be installed or started here (a container without network, no sudo,
# ...) it prints one line saying so and succeeds. It never waits for input. Whatever it
# changed (default printer, queue, cupsd) it puts back at the end.
set -uo pipefail

build=${1:?usage: tests/cups-print.sh BUILD_DIR}
queue=VantorraPDF
program="$build/tests/tst_cupsprint"
log=$(mktemp -t vantorra-cups.XXXXXX)

started_cupsd=""
made_queue=""
old_default=""
changed_default=""

skip() {
    echo "cups-print: skipped: $*"
    exit 0
}

cleanup() {
    if [ -n "$changed_default" ]; then
        if [ -n "$old_default" ]; then
            "${sudo[@]}" lpadmin -d "$old_default" >/dev/null 2>&1
        fi
    fi
    [ -n "$made_queue" ] && "${sudo[@]}" lpadmin -x "$queue" >/dev/null 2>&1
    if [ -n "$started_cupsd" ]; then
        kill "$started_cupsd" 2>/dev/null
        wait "$started_cupsd" 2>/dev/null
    fi
    rm -f "$log"
}
trap cleanup EXIT

[ -x "$program" ] || { echo "cups-print: $program is missing; build with -DBUILD_TESTING=ON" >&2; exit 1; }

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || skip "not root, and there is no sudo to install and start CUPS"
    sudo -n true 2>/dev/null || skip "sudo needs a password here"
    sudo=(sudo -n)
fi

# The packages.
missing=()
for p in cups printer-driver-cups-pdf; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    command -v apt-get >/dev/null || skip "no apt-get to install ${missing[*]}"
    echo "cups-print: installing ${missing[*]}"
    timeout 600 "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null >"$log" 2>&1 \
        && timeout 900 "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >>"$log" 2>&1 \
        || skip "could not install ${missing[*]}: $(tail -n 1 "$log")"
fi
PATH="$PATH:/usr/sbin:/sbin"

scheduler_running() { timeout 5 lpstat -r 2>/dev/null | grep -q "is running"; }

# The scheduler: the system's when it runs, otherwise one of our own for this check.
if ! scheduler_running; then
    cupsd=$(command -v cupsd) || skip "cupsd is not installed"
    "${sudo[@]}" "$cupsd" -f </dev/null >"$log" 2>&1 &
    started_cupsd=$!
    deadline=$((SECONDS + 15))
    up=""
    while [ $SECONDS -lt $deadline ]; do
        scheduler_running && { up=1; break; }
        kill -0 "$started_cupsd" 2>/dev/null || break
        sleep 0.2
    done
    if [ -z "$up" ]; then
        why=$(tail -n 1 "$log" 2>/dev/null)
        skip "cupsd did not start here: ${why:-it gave no answer within 15 seconds}"
    fi
fi

# The PDF queue, as the default printer.
if ! timeout 10 lpstat -p "$queue" >/dev/null 2>&1; then
    ppd=$(timeout 60 lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt\.ppd/ { print $1; exit }')
    [ -n "$ppd" ] || ppd=$(timeout 60 lpinfo -m 2>/dev/null | awk '/CUPS-PDF.*\.ppd/ { print $1; exit }')
    [ -n "$ppd" ] || { echo "cups-print: CUPS runs, but it offers no CUPS-PDF driver" >&2; exit 1; }
    timeout 60 "${sudo[@]}" lpadmin -p "$queue" -E -v cups-pdf:/ -m "$ppd" >"$log" 2>&1 \
        || { echo "cups-print: could not make the queue $queue: $(tail -n 1 "$log")" >&2; exit 1; }
    made_queue=1
fi
timeout 10 "${sudo[@]}" cupsenable "$queue" >/dev/null 2>&1
timeout 10 "${sudo[@]}" cupsaccept "$queue" >/dev/null 2>&1
old_default=$(timeout 10 lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
if [ "$old_default" != "$queue" ]; then
    timeout 10 "${sudo[@]}" lpadmin -d "$queue" >/dev/null 2>&1 \
        || { echo "cups-print: could not make $queue the default printer" >&2; exit 1; }
    changed_default=1
fi

# Where the PDF printer writes: its "Out" folder, by default ${HOME}/PDF of the job's user.
out=$(awk '$1 == "Out" { print $2 }' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
out=${out:-'${HOME}/PDF'}
out=${out//'${HOME}'/$HOME}
out=${out//'${USER}'/$(id -un)}

echo "cups-print: printing on $queue (CUPS PDF, output in $out)"
QT_QPA_PLATFORM=offscreen VANTORRA_CUPS_PDF_DIR="$out" VANTORRA_CUPS_QUEUE="$queue" \
    timeout 300 "$program" </dev/null
status=$?
[ $status -eq 0 ] || echo "cups-print: the print check failed (exit $status)" >&2
exit $status
