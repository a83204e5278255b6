#!/usr/bin/env bash
# Prints an ad and a document through the program's print code on real CUPS printers and
# checks the pages:
# installs CUPS and its PDF printer (Debian packages), starts cupsd when it is not running,
# makes two PDF queues, one whose own paper is US Letter and one whose paper is A4, and
# with each of them as the default printer runs tst_cupsprint (offscreen); then reads the
# page sizes of the PDFs the queue wrote back with pdfinfo.
#
#     tests/cups-print.sh BUILD_DIR
#
# When CUPS cannot be installed or started here (a container without network, no sudo,
# ...) it prints one line saying so and succeeds. It never waits for input. Whatever it
# changed (default printer, queues, cupsd) it puts back at the end.
set -uo pipefail

build=${1:?usage: tests/cups-print.sh BUILD_DIR}
# Queue, its default PageSize (a choice of the CUPS-PDF driver) and that paper in points.
papers=(
    "VantorraLetter Letter 612x792"
    "VantorraA4 A4 595x842"
)
program="$build/tests/tst_cupsprint"
log=$(mktemp -t vantorra-cups.XXXXXX)

started_cupsd=""
made_queues=()
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
    local q
    for q in "${made_queues[@]}"; do
        "${sudo[@]}" lpadmin -x "$q" >/dev/null 2>&1
    done
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

# Where the PDF printer writes: its "Out" folder, by default ${HOME}/PDF of the job's user.
out=$(awk '$1 == "Out" { print $2 }' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
out=${out:-'${HOME}/PDF'}
out=${out//'${HOME}'/$HOME}
out=${out//'${USER}'/$(id -un)}

ppd=""
old_default=$(timeout 10 lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')

# The PDF files in the output folder, one a line.
pdfs() { find "$out" -maxdepth 1 -name '*.pdf' -type f 2>/dev/null | sort; }

# print_on QUEUE PAGESIZE WxH: the queue on that paper as the default printer, the check
# run on it, and the size of every page it wrote compared with the paper (within 1 pt).
print_on() {
    local queue=$1 size=$2 points=$3
    if ! timeout 10 lpstat -p "$queue" >/dev/null 2>&1; then
        if [ -z "$ppd" ]; then
            ppd=$(timeout 60 lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt\.ppd/ { print $1; exit }')
            [ -n "$ppd" ] || ppd=$(timeout 60 lpinfo -m 2>/dev/null | awk '/CUPS-PDF.*\.ppd/ { print $1; exit }')
            [ -n "$ppd" ] || { echo "cups-print: CUPS runs, but it offers no CUPS-PDF driver" >&2; return 1; }
        fi
        timeout 60 "${sudo[@]}" lpadmin -p "$queue" -E -v cups-pdf:/ -m "$ppd" >"$log" 2>&1 \
            || { echo "cups-print: could not make the queue $queue: $(tail -n 1 "$log")" >&2; return 1; }
        made_queues+=("$queue")
    fi
    # The paper is the driver's default page size; upright unless a job asks otherwise.
    timeout 30 "${sudo[@]}" lpadmin -p "$queue" -o PageSize="$size" -o orientation-requested-default=3 >"$log" 2>&1 \
        || { echo "cups-print: could not put $queue on $size: $(tail -n 1 "$log")" >&2; return 1; }
    timeout 10 "${sudo[@]}" cupsenable "$queue" >/dev/null 2>&1
    timeout 10 "${sudo[@]}" cupsaccept "$queue" >/dev/null 2>&1
    timeout 10 "${sudo[@]}" lpadmin -d "$queue" >/dev/null 2>&1 \
        || { echo "cups-print: could not make $queue the default printer" >&2; return 1; }
    changed_default=1

    echo "cups-print: printing on $queue ($size, CUPS PDF, output in $out)"
    local before
    before=$(pdfs)
    QT_QPA_PLATFORM=offscreen VANTORRA_CUPS_PDF_DIR="$out" VANTORRA_CUPS_QUEUE="$queue" \
        VANTORRA_CUPS_PAPER="$points" timeout 300 "$program" </dev/null
    local status=$?
    [ $status -eq 0 ] || { echo "cups-print: the print check on $queue failed (exit $status)" >&2; return $status; }

    # Every page of every PDF the queue wrote meanwhile, as pdfinfo reads it.
    local want_w=${points%x*} want_h=${points#*x} pdf sizes count=0 bad=0
    while IFS= read -r pdf; do
        [ -n "$pdf" ] || continue
        count=$((count + 1))
        sizes=$(timeout 30 pdfinfo -f 1 -l 9999 "$pdf" 2>/dev/null | sed -n 's/^Page *[0-9]* size: *\([0-9.]*\) x \([0-9.]*\) pts.*/\1 \2/p')
        if [ -z "$sizes" ]; then
            echo "cups-print: pdfinfo cannot read $pdf" >&2
            bad=1
            continue
        fi
        if ! awk -v w="$want_w" -v h="$want_h" '
                { dw = $1 - w; dh = $2 - h; if (dw < -1 || dw > 1 || dh < -1 || dh > 1) bad = 1 }
                END { exit bad }' <<<"$sizes"; then
            echo "cups-print: $(basename "$pdf") is not on $size paper ($points pt): $(sort -u <<<"$sizes" | tr '\n' ';')" >&2
            bad=1
        else
            echo "cups-print: $(basename "$pdf"): $(wc -l <<<"$sizes") page(s) of $(head -n 1 <<<"$sizes" | tr ' ' 'x') pt"
        fi
    done < <(comm -13 <(printf '%s\n' "$before") <(pdfs))
    [ $count -ge 2 ] || { echo "cups-print: $queue wrote $count PDF files, not the ad's and the document's" >&2; bad=1; }
    return $bad
}

status=0
for paper in "${papers[@]}"; do
    # shellcheck disable=SC2086
    print_on $paper || status=1
done
exit $status
