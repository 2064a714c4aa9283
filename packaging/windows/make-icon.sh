#!/usr/bin/env bash
# make-icon.sh OUTPUT.ico: the Windows program icon at 16, 20, 24, 32, 40, 48, 64 and 256 px, each a
# PNG. The 32 and 64 px pictures drawn by hand are used as they are; the other sizes are drawn
# from the scalable icon (rsvg-convert, Debian's librsvg2-bin), so none is a blurred scaling.
# Run it when the icon changes and commit preferences/icons/korvenedit.ico.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
output="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# 20 and 40 px are what 125 % display scaling asks for in place of 16 and 32.
sizes=(16 20 24 32 40 48 64 256)
for size in "${sizes[@]}"; do
    drawn="$root/preferences/icons/korvenedit-$size.png"
    if [ -f "$drawn" ]; then
        cp "$drawn" "$work/$size.png"
    else
        rsvg-convert -w "$size" -h "$size" "$root/packaging/korvenedit.svg" -o "$work/$size.png"
    fi
done

le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }
{
    le16 0; le16 1; le16 ${#sizes[@]}  # reserved, type icon, count
    offset=$((6 + 16 * ${#sizes[@]}))
    for size in "${sizes[@]}"; do
        length="$(stat -c %s "$work/$size.png")"
        side=$((size % 256))  # 0 stands for 256
        printf "\\x$(printf %02x $side)\\x$(printf %02x $side)\\x00\\x00"
        le16 1; le16 32; le32 "$length"; le32 "$offset"
        offset=$((offset + length))
    done
    for size in "${sizes[@]}"; do
        cat "$work/$size.png"
    done
} >"$output"
