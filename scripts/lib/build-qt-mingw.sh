#!/usr/bin/env bash
# Cross-builds Qt 6.4.2 qtbase (Core, Gui, Widgets, Test, the windows and offscreen platform
# plugins) for 64-bit Windows with Debian's mingw-w64 (posix threads), from Debian's own
# qt6-base source package, using Debian's host Qt for moc/rcc/uic.
#   scripts/lib/build-qt-mingw.sh WORKDIR PREFIX
set -euo pipefail
work=$1; prefix=$2
mkdir -p "$work"; cd "$work"
if [ ! -f qt6-base_6.4.2+dfsg.orig.tar.xz ]; then
  # Source packages come from the same archive as the binary ones: reuse the machine's entry.
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > /etc/apt/sources.list.d/zz-src.sources
  apt-get update -qq
  apt-get source --download-only qt6-base
fi
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq g++-mingw-w64-x86-64-posix ninja-build cmake qt6-base-dev qt6-base-dev-tools >/dev/null
if [ ! -d src ]; then
  mkdir src && tar xJf qt6-base_6.4.2+dfsg.orig.tar.xz -C src --strip-components=1
  # The Debian source leaves out the Wintab headers the windows plugin includes: take Wine's
  # (LGPL, Debian package libwine-dev) with a shim for the one Wine-only macro they use.
  apt-get download libwine-dev >/dev/null
  dpkg-deb -x libwine-dev_*.deb winedev
  mkdir -p src/src/3rdparty/wintab
  cp winedev/usr/include/wine/wine/windows/pktdef.h src/src/3rdparty/wintab/
  { printf '%s\n' '#ifndef DECL_WINELIB_TYPE_AW' '# ifdef UNICODE' '#  define DECL_WINELIB_TYPE_AW(type) typedef type##W type;' \
      '# else' '#  define DECL_WINELIB_TYPE_AW(type) typedef type##A type;' '# endif' '#endif' \
      '#ifndef API' '# define API WINAPI' '#endif'
    cat winedev/usr/include/wine/wine/windows/wintab.h; } > src/src/3rdparty/wintab/wintab.h
  # Two Qt 6.4 configuration slips when OpenGL and Direct2D are off: guard their code.
  sed -i '2296s/#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
    src/src/plugins/platforms/windows/qwindowswindow.cpp
  sed -i 's/#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    src/src/plugins/platforms/windows/qwindowsintegration.cpp
fi
cat > toolchain.cmake <<'TC'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC
cmake -S src -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
  -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_libpng=OFF -DFEATURE_system_libjpeg=OFF \
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_icu=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_direct2d=OFF -DFEATURE_directwrite=ON
cmake --build build -j"$(nproc)"
cmake --install build
