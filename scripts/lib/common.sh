# Shared by the scripts: the project root, and installing missing Debian packages.
KORVEN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# The packages every build needs.
KORVEN_BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev fonts-noto-cjk rapidjson-dev)

ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_and_build BUILD_DIR [cmake options...]
configure_and_build() {
    local dir="$1"
    shift
    cmake -S "$KORVEN_ROOT" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

# What scripts/package-deb needs besides the build: dpkg-shlibdeps, and file, with which CPack
# finds the programs to hand to it.
KORVEN_PACKAGE_PACKAGES=(dpkg-dev file)
# What scripts/check-package validates and runs the installed files with.
KORVEN_PACKAGE_CHECK_PACKAGES=(desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
                               libglib2.0-bin man-db bash-completion lintian devscripts)

# write_checksums: dist/SHA256SUMS for the packages in dist/, sorted, so a download can be
# checked with `sha256sum -c SHA256SUMS`.
write_checksums() {
    (cd "$KORVEN_ROOT/dist" &&
        find . -maxdepth 1 -type f \( -name 'korvenedit_*.deb' -o -name 'KorvenEdit-*-win64.zip' \) -printf '%f\n' |
        LC_ALL=C sort | xargs -r sha256sum >SHA256SUMS)
}
