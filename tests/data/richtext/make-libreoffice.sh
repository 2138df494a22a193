#!/bin/sh
# Makes the LibreOffice-written fixtures from libreoffice-sheet.fodt.in:
# a 300 x 200 "photo" (netpbm's ppmforge clouds) as JPEG and a 32 x 32 PNG icon are
# embedded, then LibreOffice writes the RTF. Needs netpbm and libreoffice-writer-nogui.
# Run from this folder: ./make-libreoffice.sh
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ppmforge -clouds -width 300 -height 200 -seed 7 2>/dev/null | pnmtojpeg -quality=85 > "$work/photo.jpg"
ppmmake rgb:20/60/c0 32 32 | pnmtopng > "$work/icon.png"
photo=$(base64 -w0 "$work/photo.jpg")
icon=$(base64 -w0 "$work/icon.png")
sed -e "s|@PHOTO@|$photo|" -e "s|@ICON@|$icon|" libreoffice-sheet.fodt.in > "$work/libreoffice-sheet.fodt"
soffice --headless -env:UserInstallation=file://$work/profile --convert-to rtf --outdir "$work" "$work/libreoffice-sheet.fodt" >/dev/null
cp "$work/libreoffice-sheet.rtf" libreoffice-sheet.rtf
cp "$work/photo.jpg" libreoffice-photo.jpg
# LibreOffice's own rendering of the same sheet, for comparing with rtf-render by eye.
if [ "${1:-}" = "--png" ]; then
    soffice --headless -env:UserInstallation=file://$work/profile --convert-to png --outdir "$work" "$work/libreoffice-sheet.rtf" >/dev/null
    cp "$work/libreoffice-sheet.png" "${2:-/tmp/libreoffice-sheet.png}"
fi
