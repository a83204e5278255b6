#!/usr/bin/env python3
"""Word positions of a printed page against a word processor's.

    compare.py words PDF              the words of a PDF with their boxes (TSV, points)
    compare.py check RTFPRINT [NAME]  prints each document (or NAME) with rtfprint and
                                      compares its words with refs/NAME.tsv

The words come from the PDFs' text layers (pdftotext -bbox, poppler-utils), read the same
way on both sides. The two word sequences are aligned by their longest common subsequence;
a word counts as in place when it is on the same page and its left edge and its baseline lie
within TOLERANCE points of the reference word's. Targets: a share of at least TARGET of the
reference's words in place, and the reference's page count (within one page from eight
pages up).
"""
import difflib
import html
import os
import re
import subprocess
import sys
import tempfile
import unicodedata
import zlib

TOLERANCE = 6.0
TARGET = 0.90
HERE = os.path.dirname(os.path.abspath(__file__))

WORD = re.compile(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>')


def descent_share(pdf):
    """The share of a word box's height that lies below the baseline, as pdftotext draws the
    boxes of this PDF: from each font's Ascent and Descent, or poppler's defaults (0.95 and
    0.35 of the size) where a font gives none. The median over the PDF's fonts: the fonts of
    one document differ in this by a few hundredths, under a point in the baseline."""
    data = open(pdf, 'rb').read()
    parts = [data]
    for m in re.finditer(rb'stream\r?\n(.*?)endstream', data, re.S):
        try:
            parts.append(zlib.decompress(m.group(1)))
        except zlib.error:
            pass
    shares = []
    for part in parts:
        for m in re.finditer(rb'/Type\s*/FontDescriptor(.{0,600}?)>>', part, re.S):
            d = m.group(1)
            a = re.search(rb'/Ascent\s+(-?[\d.]+)', d)
            b = re.search(rb'/Descent\s+(-?[\d.]+)', d)
            ascent = abs(float(a.group(1))) / 1000 if a else 0
            descent = abs(float(b.group(1))) / 1000 if b else 0
            ascent = ascent if 0 < ascent < 3 else 0.95
            descent = descent if 0 < descent < 3 else 0.35
            shares.append(descent / (ascent + descent))
    shares.sort()
    return shares[len(shares) // 2] if shares else 0.35 / 1.3


def pdf_words(pdf):
    """(pages, [(page, x0, baseline, x1, height, text)]) of a PDF's text layer, in points."""
    out = subprocess.run(['pdftotext', '-bbox', pdf, '-'], check=True, capture_output=True,
                         text=True, encoding='utf-8').stdout
    share = descent_share(pdf)
    words, page = [], 0
    for line in out.splitlines():
        if '<page ' in line:
            page += 1
        for m in WORD.finditer(line):
            x0, y0, x1, y1 = (float(v) for v in m.groups()[:4])
            words.append((page, x0, y1 - share * (y1 - y0), x1, y1 - y0, html.unescape(m.group(5))))
    return page, words


def write_words(pdf):
    pages, words = pdf_words(pdf)
    print(f'#pages\t{pages}')
    for page, x0, base, x1, height, text in words:
        print(f'{page}\t{x0:.2f}\t{base:.2f}\t{x1:.2f}\t{height:.2f}\t{text}')


def read_words(tsv):
    pages, words = 0, []
    with open(tsv, encoding='utf-8') as f:
        for line in f:
            fields = line.rstrip('\n').split('\t')
            if fields[0] == '#pages':
                pages = int(fields[1])
                continue
            page, x0, base, x1, height = int(fields[0]), *(float(v) for v in fields[1:5])
            words.append((page, x0, base, x1, height, fields[5]))
    return pages, words


def key(text):
    return unicodedata.normalize('NFKC', text).casefold()


def compare(ours, theirs):
    """Share of the reference words (theirs) that stand in place in ours, and the mean
    offsets of the matched words that do not."""
    a = [key(w[5]) for w in theirs]
    b = [key(w[5]) for w in ours]
    matcher = difflib.SequenceMatcher(None, a, b, autojunk=False)
    within = 0
    offsets = []
    for block in matcher.get_matching_blocks():
        for k in range(block.size):
            t = theirs[block.a + k]
            o = ours[block.b + k]
            dx, dy = o[1] - t[1], o[2] - t[2]
            if o[0] == t[0] and abs(dx) <= TOLERANCE and abs(dy) <= TOLERANCE:
                within += 1
            else:
                offsets.append((t, o, dx, dy))
    return (within / len(theirs) if theirs else 1.0), offsets


def pages_ok(ours, theirs):
    return ours == theirs or (theirs >= 8 and abs(ours - theirs) <= 1)


def check(rtfprint, only=None):
    docs = os.path.join(HERE, 'docs')
    names = sorted(n[:-4] for n in os.listdir(docs) if n.endswith('.rtf'))
    if only:
        names = [n for n in names if n == only]
    verbose = bool(os.environ.get('LAYOUT_CHECK_VERBOSE'))
    failed = []
    print(f'{"document":28} {"in place":>9} {"pages":>7} {"reference":>9}')
    with tempfile.TemporaryDirectory() as tmp:
        for name in names:
            pdf = os.path.join(tmp, name + '.pdf')
            subprocess.run([rtfprint, os.path.join(docs, name + '.rtf'), pdf], check=True,
                           stdout=subprocess.DEVNULL)
            our_pages, ours = pdf_words(pdf)
            ref_pages, theirs = read_words(os.path.join(HERE, 'refs', name + '.tsv'))
            share, offsets = compare(ours, theirs)
            ok = share >= TARGET and pages_ok(our_pages, ref_pages)
            print(f'{name:28} {share * 100:8.1f}% {our_pages:7} {ref_pages:9}' + ('' if ok else '  FAILED'))
            if verbose:
                for t, o, dx, dy in offsets:
                    print(f'    {t[5]!r:24} page {t[0]}/{o[0]} at {t[1]:6.1f},{t[2]:6.1f}  off {dx:+6.1f},{dy:+6.1f}')
            if not ok:
                failed.append(name)
    if failed:
        print(f'layout check: {len(failed)} document(s) missed the targets (at least '
              f'{TARGET * 100:.0f}% of the words within {TOLERANCE:g} pt, the same page count): '
              + ', '.join(failed))
        return 1
    print(f'layout check: all {len(names)} documents met the targets')
    return 0


def main(argv):
    if len(argv) == 3 and argv[1] == 'words':
        write_words(argv[2])
        return 0
    if len(argv) in (3, 4) and argv[1] == 'check':
        return check(argv[2], argv[3] if len(argv) == 4 else None)
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))
