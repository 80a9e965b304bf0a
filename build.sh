#!/usr/bin/env bash
# Sets up, builds, runs and tests the project on Debian 12. See README.md.
#   ./build.sh run     build and start the window program
#   ./build.sh test    build and run the whole test suite, headless
#   ./build.sh build   build only
#   ./build.sh bench   build and run the benchmarks
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

build_packages=(cmake ninja-build g++ pkgconf qt6-base-dev fonts-liberation
                libgtest-dev libgmock-dev libbenchmark-dev)

build() {
    ensure_packages "${build_packages[@]}"
    [ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
    cmake --build --preset default
}

case "${1:-}" in
run)
    build
    exec build/bin/qxr-fanuc
    ;;
test)
    build
    ctest --preset default -j "$(nproc)"
    ;;
build)
    build
    ;;
bench)
    build
    build/bin/core_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
    bench/cli_batch_throughput.sh build/bin/qxr-fanuc-cli
    ;;
*)
    echo "usage: ./build.sh run | test | build | bench" >&2
    exit 2
    ;;
esac
