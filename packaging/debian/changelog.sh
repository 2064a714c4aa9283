#!/usr/bin/env bash
# changelog.sh SOURCE_DIR VERSION MAINTAINER OUTPUT: the package's changelog in Debian's form,
# one entry for VERSION listing the commit subjects newest first, dated at the last commit so
# that two builds of one commit write the same file. Written compressed, without a time stamp.
set -euo pipefail -o noglob
export LC_ALL=C.UTF-8
source_dir="$1" version="$2" maintainer="$3" output="$4"

# Debian's changelog lines stay within 80 columns: "  * " then the subject, broken at spaces.
bullet() {
    local line="  *" word
    for word in $1; do
        if [ $((${#line} + 1 + ${#word})) -gt 78 ] && [ "$line" != "  *" ] && [ "$line" != "   " ]; then
            printf '%s\n' "$line"
            line="   "
        fi
        line+=" $word"
    done
    printf '%s\n' "$line"
}

stamp="$(git -C "$source_dir" log -1 --format=%ct)"
{
    printf 'korvenedit (%s) unstable; urgency=medium\n\n' "$version"
    git -C "$source_dir" log --no-merges --format=%s | while IFS= read -r subject; do
        bullet "$subject"
    done
    printf '\n -- %s  %s\n' "$maintainer" "$(date -u -R -d "@$stamp")"
} | gzip -9n >"$output.tmp"
mv "$output.tmp" "$output"
