#!/bin/sh
# Makes abiword-bill.rtf from abiword-bill.html: a 4-row table whose last row is "TOTAL" over
# two columns, and a run in the Symbol font. AbiWord writes each row's definition before its
# cells and names the Symbol font with a Western charset. Needs abiword.
# Run from this folder: ./make-abiword.sh
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp abiword-bill.html "$work/"
(cd "$work" && abiword --to=rtf abiword-bill.html)
cp "$work/abiword-bill.rtf" abiword-bill.rtf
