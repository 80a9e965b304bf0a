#!/usr/bin/env bash
# Sets up, builds and runs the project on Debian 12: ./build.sh run | test
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

build_packages=(cmake ninja-build g++ pkgconf libgtest-dev libgmock-dev libbenchmark-dev)

configure_and_build() {
    ensure_packages "${build_packages[@]}"
    [ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
    cmake --build --preset default
}

case "${1:-}" in
run)
    configure_and_build
    build/bin/qxr-fanuc-cli 12 1 1 R
    ;;
test)
    configure_and_build
    ctest --preset default -j "$(nproc)"
    ;;
*)
    echo "usage: ./build.sh run | test" >&2
    exit 2
    ;;
esac
