#!/usr/bin/env bash
# pellandra --pdf end to end: the file it writes, as a PDF reader sees it. Usage: check_pdf_command.sh PROGRAM EXAMPLES
set -euo pipefail
program=$1
examples=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() {
    echo "$1" >&2
    exit 1
}

"$program" --pdf "$dir/loan.pdf" "$examples/us-mortgage-30y.plr"
info=$(pdfinfo "$dir/loan.pdf")
grep -Eq '^Pages: +5$' <<<"$info" || fail "expected 5 pages: $info"
grep -Eq '^Page size: +612 x 792 pts' <<<"$info" || fail "expected a letter page: $info"
grep -Eq '^Title: +us-mortgage-30y.plr$' <<<"$info" || fail "expected the file name as title: $info"

first=$(pdftotext -layout -f 1 -l 1 "$dir/loan.pdf" -)
for expected in 'Page 1' 'Oak Avenue condo, 30-year fixed (U.S.)' 'Ending Balance' '$400,000.00' 'us-mortgage-30y.plr'; do
    grep -qF -- "$expected" <<<"$first" || fail "page 1 lacks '$expected':
$first"
done
last=$(pdftotext -layout -f 5 -l 5 "$dir/loan.pdf" -)
grep -qF 'Page 5' <<<"$last" || fail "page 5 lacks its number"
grep -Eq '^ *360 ' <<<"$last" || fail "page 5 lacks the last payment, 360:
$last"
# The document repeats the heading on every page.
grep -qF 'Ending Balance' <<<"$last" || fail "page 5 lacks the repeated heading"

# Columns too narrow for their money show "###", as the grid does: never a number cut to part of its digits.
sed 's/^"Width",[0-9]*/"Width",500/' "$examples/car-loan.plr" >"$dir/narrow.plr"
"$program" --pdf "$dir/narrow.pdf" "$dir/narrow.plr"
narrow=$(pdftotext -layout "$dir/narrow.pdf" -)
grep -qF '###' <<<"$narrow" || fail "narrow columns show no ###:
$narrow"
if grep -Eq '[0-9],[0-9]{3}\.[0-9]{2}' <<<"$narrow"; then
    fail "a thousands amount shows in a column too narrow for it"
fi

# A document that cannot be read leaves an existing PDF as it was.
cp "$dir/loan.pdf" "$dir/before.pdf"
if "$program" --pdf "$dir/loan.pdf" "$dir/absent.plr" 2>/dev/null; then
    fail "a missing document printed"
fi
cmp -s "$dir/loan.pdf" "$dir/before.pdf" || fail "the existing PDF changed"
# Loans compared: one page, upright for two loans and across the sheet for four, the table above the balance chart
# (its value axis in round money, which the table never shows).
"$program" --compare "$examples/us-mortgage-30y.plr" "$examples/car-loan.plr" --pdf "$dir/two.pdf"
"$program" --pdf "$dir/four.pdf" --compare "$examples"/*.plr
grep -Eq '^Page size: +612 x 792 pts' <<<"$(pdfinfo "$dir/two.pdf")" || fail "two loans: expected an upright page"
info=$(pdfinfo "$dir/four.pdf")
grep -Eq '^Pages: +1$' <<<"$info" || fail "four loans: expected one page: $info"
grep -Eq '^Page size: +792 x 612 pts' <<<"$info" || fail "four loans: expected a page across: $info"
four=$(pdftotext -layout "$dir/four.pdf" -)
for expected in 'Loan Comparison' 'Car loan, 5 years' 'Interest Saved' 'Paid Off Earlier By' '$510,179.52'; do
    grep -qF -- "$expected" <<<"$four" || fail "the comparison lacks '$expected':
$four"
done
grep -Eq '^ *\$400,000$' <<<"$four" || fail "the comparison lacks its chart:
$four"
echo "PDF checked"
