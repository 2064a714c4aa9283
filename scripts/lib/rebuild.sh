# Shared by the package checks: the same package built once more from scratch elsewhere must
# have the same bytes.

# check_rebuild PACKAGE_SCRIPT PACKAGE WORK: copies the checkout as it is (without its build
# folders) to another path under WORK and runs scripts/PACKAGE_SCRIPT there from scratch, with
# no compiler cache (a cache could hand back the first build's objects), another umask and
# another time zone; then compares the package it writes with PACKAGE. On a difference it names
# the files that differ and fails.
check_rebuild() {
    local script="$1" package="$2" work="$3"
    local copy="$work/elsewhere/korvenedit-rebuilt"
    mkdir -p "$copy"
    # Fresh time stamps and the other umask's modes, as a checkout made there would have.
    (cd "$KORVEN_ROOT" && git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' file; do [ ! -e "$file" ] || printf '%s\0' "$file"; done |
        tar --null --files-from=- -cf -) |
        (umask 077 && tar -xmf - --no-same-permissions -C "$copy") || return 1
    # The history (the changelog and every time stamp come from it) is the checkout's own.
    echo "gitdir: $(git -C "$KORVEN_ROOT" rev-parse --absolute-git-dir)" >"$copy/.git"

    local started=$SECONDS
    (umask 077 && cd "$copy" &&
        env -u CMAKE_CXX_COMPILER_LAUNCHER -u CMAKE_C_COMPILER_LAUNCHER TZ=Asia/Tokyo \
            "scripts/$script" >"$work/rebuild.log" 2>&1) ||
        { cat "$work/rebuild.log" >&2; return 1; }
    local again="$copy/dist/$(basename "$package")"
    echo "rebuilt from scratch at $copy in $((SECONDS - started)) s"
    cmp "$package" "$again" && return 0

    echo "The two builds differ:" >&2
    diff <(list_package "$package") <(list_package "$again") >&2 || true
    unpack_package "$package" "$work/first-unpacked"
    unpack_package "$again" "$work/again-unpacked"
    diff -r -q "$work/first-unpacked" "$work/again-unpacked" >&2 || true
    return 1
}

# list_package PACKAGE: every entry with its mode, owner, size and time.
list_package() {
    case "$1" in
    *.deb) dpkg-deb --contents "$1" ;;
    *.zip) zipinfo -l "$1" | sed '1d;$d' ;;
    esac
}

# unpack_package PACKAGE FOLDER: a .deb with its control files, or a zip.
unpack_package() {
    case "$1" in
    *.deb) dpkg-deb --raw-extract "$1" "$2" ;;
    *.zip) unzip -q "$1" -d "$2" ;;
    esac
}
