#!/usr/bin/env bash
# The slower CI lanes, after the everyday test command:
#   1. the native suite under AddressSanitizer and UndefinedBehaviorSanitizer,
#   2. the Windows cross-builds (32-bit: the deliverables, their export and
#      import tables, the zip; 64-bit: the same tables),
#   3. the whole GoogleTest suite of the 64-bit Windows build under Wine.
# 32-bit Windows programs cannot run here (the kernel runs no 32-bit code),
# so the 32-bit build is compiled, linked and its tables checked only.
# Usage: scripts/ci-extended.sh [sanitize|win32|win64|all]   (default all)
set -euo pipefail
cd "$(dirname "$0")/.."
lane=${1:-all}
jobs=$(nproc 2>/dev/null || echo 2)

step() { printf '\n=== %s (%s)\n' "$1" "$(date +%H:%M:%S)"; }

sanitize() {
  step "native suite with AddressSanitizer and UndefinedBehaviorSanitizer"
  scripts/install-deps.sh
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARN_SANITIZE=ON -DQUARN_BUILD_BENCH=OFF
  cmake --build build-sanitize -j"$jobs"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
}

# Checks the PE tables of everything a Windows build produced.
check_tables() {
  local dir=$1 objdump=$2
  cmake -DLIBRARY="$dir/codec/Quarn.dll" -DHEADER=include/quarn/quarn.h -DOBJDUMP="$objdump" \
    -P cmake/check_pe_tables.cmake
  if [ -f "$dir/codec/Vorel.dll" ]; then
    cmake -DLIBRARY="$dir/codec/Vorel.dll" -DEXPECT_NAMES=_bmpresize -DOBJDUMP="$objdump" -P cmake/check_pe_tables.cmake
  fi
  local kelvane
  kelvane=$(find "$dir" -name Kelvane.exe -print -quit)
  if [ -n "$kelvane" ]; then
    cmake -DLIBRARY="$kelvane" -DEXPECT_NAMES= -DOBJDUMP="$objdump" -P cmake/check_pe_tables.cmake
  fi
}

win32() {
  step "32-bit Windows build (compiled, linked and checked; not run)"
  scripts/install-deps.sh g++-mingw-w64-i686
  cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-i686.cmake \
    -DCMAKE_BUILD_TYPE=Release -DQUARN_BUILD_TESTS=OFF -DQUARN_BUILD_CLI=OFF
  cmake --build build-win32 -j"$jobs"
  check_tables build-win32 i686-w64-mingw32-objdump
  cmake --build build-win32 --target package_zip
}

win64() {
  step "64-bit Windows build and its test suite under Wine"
  scripts/install-deps.sh g++-mingw-w64-x86-64 wine64 googletest
  local prefix
  prefix=$(mktemp -d /tmp/quarn-wine-XXXXXX)
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DQUARN_BUILD_CLI=OFF -DCMAKE_CROSSCOMPILING_EMULATOR=/usr/lib/wine/wine64
  cmake --build build-win64 -j"$jobs"
  check_tables build-win64 x86_64-w64-mingw32-objdump
  /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
  local status=0
  ctest --test-dir build-win64 --output-on-failure -j"$jobs" || status=$?
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
  return $status
}

case $lane in
  sanitize) sanitize ;;
  win32) win32 ;;
  win64) win64 ;;
  all) sanitize; win32; win64 ;;
  *) echo "usage: $0 [sanitize|win32|win64|all]" >&2; exit 2 ;;
esac
