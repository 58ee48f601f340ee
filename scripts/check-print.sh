#!/bin/sh
# Checks the print jobs the Windows tests captured under build/print with Ghostscript:
#   compile:   the text on paper is the output window's text, every line, nothing lost to wrapping or
#              page breaks (blanks aside), in the fixed-pitch face, and the page count matches the
#              PostScript's;
#   pagesetup: the ink of the first page starts at the margins the page setup dialog confirmed.
# Also renders the first page of each job to PNG beside it, to be looked at.
set -e
DIR="$(cd "$(dirname "$0")/.." && pwd)/build/print"
GS="gs -q -dSAFER -dBATCH -dNOPAUSE"
rc=0

job=$DIR/compile
if [ -f "$job.ps" ] && [ -f "$job.expected" ]; then
    # A face whose space and hyphen glyphs also serve the no-break space and the soft hyphen (Liberation
    # Mono, standing in for Courier New) reads back with those, and its semicolon as the Greek question
    # mark: the same marks on paper.
    $GS -sDEVICE=txtwrite -sOutputFile=- "$job.ps" | sed 's/\xc2\xa0/ /g; s/\xc2\xad/-/g; s/\xcd\xbe/;/g' | tr -d ' \t\r\n' > "$job.paper"
    tr -d ' \t\r\n' < "$job.expected" > "$job.want"
    if cmp -s "$job.paper" "$job.want"; then echo "compile: every line on paper"; else
        echo "compile: the text on paper differs from the window's text"; rc=1; fi
    # The printout asks for Courier New; the prefix's stand-in for it is fixed-pitch Liberation Mono.
    grep -aq '/FontName /LiberationMono def' "$job.ps" ||
        { echo "compile: not printed in Liberation Mono (fonts: $(grep -ao '/FontName /[A-Za-z-]*' "$job.ps" | sort -u | tr '\n' ' '))"; rc=1; }
    pages=$(grep -c '^%%Page:' "$job.ps")
    rendered=$($GS -sDEVICE=bbox "$job.ps" 2>&1 | grep -c '^%%BoundingBox')
    [ "$pages" -eq "$rendered" ] || { echo "compile: $pages pages announced, $rendered rendered"; rc=1; }
    $GS -sDEVICE=png16m -r50 -dFirstPage=1 -dLastPage=1 -sOutputFile="$job-page1.png" "$job.ps"
else
    echo "compile: no captured job"; rc=1
fi

job=$DIR/pagesetup
if [ -f "$job.ps" ] && [ -f "$job.expected" ]; then
    box=$($GS -sDEVICE=bbox "$job.ps" 2>&1 | grep '^%%BoundingBox' | head -1)
    left=$(sed -n 's/^left //p' "$job.expected")
    top=$(sed -n 's/^top //p' "$job.expected")
    echo "pagesetup: $box, margins left $left top $top (points)"
    echo "$box" | awk -v l="$left" -v t="$top" '{ dl = $2 - l; dt = (842 - $5) - t;
        if (dl < 0) dl = -dl; if (dt < 0) dt = -dt; exit !(dl <= 4 && dt <= 4) }' ||
        { echo "pagesetup: the text does not start at the margins"; rc=1; }
    $GS -sDEVICE=png16m -r50 -dFirstPage=1 -dLastPage=1 -sOutputFile="$job-page1.png" "$job.ps"
else
    echo "pagesetup: no captured job"; rc=1
fi
exit $rc
