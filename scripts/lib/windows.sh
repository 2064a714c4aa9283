# Shared by the Windows scripts: the cross toolchain, the Qt built for Windows and Wine.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

KORVEN_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine64 fonts-noto-cjk fonts-dejavu-core qt6-translations-l10n xvfb
                         xauth)
KORVEN_MINGW_RUNTIME=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
KORVEN_MINGW_SYSROOT=/usr/x86_64-w64-mingw32
KORVEN_WINE=/usr/lib/wine/wine64

# The Qt built for Windows: $KORVEN_QT_MINGW, else the shared toolchains beside the checkout,
# else one built here from Debian's source package into the cache (once; it takes hours).
windows_qt() {
    if [ -n "${KORVEN_QT_MINGW:-}" ]; then
        echo "$KORVEN_QT_MINGW"
        return
    fi
    local shared="$KORVEN_ROOT/../shared/toolchains/qt-6.4.2-mingw64"
    if [ -d "$shared/lib/cmake/Qt6" ]; then
        (cd "$shared" && pwd)
        return
    fi
    local cache="${XDG_CACHE_HOME:-$HOME/.cache}/korvenedit"
    local prefix="$cache/qt-6.4.2-mingw64"
    if [ ! -d "$prefix/lib/cmake/Qt6" ]; then
        echo "Building Qt for Windows into $prefix" >&2
        "$KORVEN_ROOT/scripts/lib/build-qt-mingw.sh" "$cache/qt-build" "$prefix" >&2
    fi
    echo "$prefix"
}

# configure_windows BUILD_DIR PREFIX_PATH [cmake options...]: a cross build with the
# toolchain file, finding Qt (and whatever else PREFIX_PATH lists) there and moc/rcc/uic here.
configure_windows() {
    local dir="$1" prefixes="$2"
    shift 2
    cmake -S "$KORVEN_ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$KORVEN_ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_PREFIX_PATH="$prefixes" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "$@" >/dev/null
}

# configure_windows_build BUILD_DIR QT_DIR [cmake options...]: the same, then builds everything.
configure_windows_build() {
    configure_windows "$@"
    cmake --build "$1" -j"$(nproc)"
}

# A Windows path of a Linux one, as Wine's drive Z: shows it.
wine_path() {
    echo "Z:${1//\//\\}"
}

# use_wine PREFIX_DIR QT_DIR: a Wine of our own (never the user's), which finds Qt's and the
# C++ runtime's DLLs and Qt's plugins.
use_wine() {
    local prefix="$1" qt="$2"
    export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEPATH="$(wine_path "$qt/bin");$(wine_path "$KORVEN_MINGW_RUNTIME");$(wine_path "$KORVEN_MINGW_SYSROOT/lib")"
    export QT_PLUGIN_PATH="$(wine_path "$qt/plugins")"
    if [ ! -f "$prefix/system.reg" ]; then
        mkdir -p "$prefix"
        "$KORVEN_WINE" wineboot --init >/dev/null 2>&1
        "$(dirname "$KORVEN_WINE")/wineserver" -w
    fi
    # A program that crashes prints its backtrace and ends, rather than waiting for ever behind
    # the debugger's dialog on a display nobody sees.
    "$KORVEN_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
}

# Stops whatever Wine keeps running in the current prefix (console helpers of killed children),
# so nothing holds the caller's output open.
stop_wine() {
    "$(dirname "$KORVEN_WINE")/wineserver" -k 2>/dev/null || true
}
