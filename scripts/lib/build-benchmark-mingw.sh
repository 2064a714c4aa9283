#!/usr/bin/env bash
# Cross-builds Google Benchmark for 64-bit Windows with Debian's mingw-w64, from Debian's own
# source package (the version libbenchmark-dev has), as a static library.
#   scripts/lib/build-benchmark-mingw.sh WORKDIR PREFIX
set -euo pipefail
work=$1; prefix=$2
toolchain="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../cmake" && pwd)/mingw-w64.cmake"
mkdir -p "$work"; cd "$work"
if ! ls benchmark_*.orig.tar.gz >/dev/null 2>&1; then
  # Source packages come from the same archive as the binary ones: reuse the machine's entry.
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > /etc/apt/sources.list.d/zz-src.sources
  apt-get update -qq
  apt-get source --download-only benchmark
fi
rm -rf src build
mkdir src && tar xzf benchmark_*.orig.tar.gz -C src --strip-components=1
cmake -S src -B build -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
  -DBENCHMARK_INSTALL_DOCS=OFF -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
cmake --build build -j"$(nproc)" >/dev/null
cmake --install build >/dev/null
