#!/usr/bin/env bash
# Sets up, builds, runs and tests the project on Debian 12. See README.md.
#   ./build.sh run     build and start the window program
#   ./build.sh test    build and run the whole test suite, headless
#   ./build.sh build   build only
#   ./build.sh bench   build and run the benchmarks
#   ./build.sh sanitize            build with AddressSanitizer and UndefinedBehaviorSanitizer, run the tests
#   ./build.sh fuzz [SECONDS]      build the libFuzzer targets with clang and run each (default 60 s)
#   ./build.sh lint                check formatting (clang-format) and run clang-tidy on the project's code
#   ./build.sh package             build the Debian package and check it in a scratch root
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
sanitize)
    ensure_packages "${build_packages[@]}"
    [ -f build-asan/CMakeCache.txt ] || cmake --preset asan >/dev/null
    cmake --build --preset asan
    ctest --preset asan -j "$(nproc)"
    ;;
fuzz)
    seconds=${2:-60}
    ensure_packages cmake ninja-build clang-19 libclang-rt-19-dev
    [ -f build-fuzz/CMakeCache.txt ] || cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz
    for target in int16_from_text generate_script_strings; do
        # Work in a copy, so that the committed seeds stay small and only change on purpose.
        work=build-fuzz/corpus/$target
        mkdir -p "$work"
        echo "== $target: $seconds s"
        (cd build-fuzz && "bin/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
            "corpus/$target" "../fuzz/corpus/$target" 2>&1) |
            grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)|ERROR|SUMMARY|Test unit written'
    done
    ;;
lint)
    ensure_packages clang-format clang-tidy-19 clang-19
    build >/dev/null # the window's generated headers must exist for clang-tidy
    [ -f build-fuzz/CMakeCache.txt ] || cmake --preset fuzz >/dev/null
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
    run-clang-tidy-19 -p build -quiet -j "$(nproc)" "$PWD/(core|cli|ui|tests|bench)/" >build/clang-tidy.log 2>&1 ||
        { grep -E 'warning:|error:' build/clang-tidy.log; exit 1; }
    run-clang-tidy-19 -p build-fuzz -quiet -j "$(nproc)" "$PWD/fuzz/" >build-fuzz/clang-tidy.log 2>&1 ||
        { grep -E 'warning:|error:' build-fuzz/clang-tidy.log; exit 1; }
    echo "lint: clean"
    ;;
package)
    ensure_packages dpkg-dev file desktop-file-utils appstream man-db
    build
    (cd build && cpack --config CPackConfig.cmake >/dev/null)
    version=$(build/bin/qxr-fanuc-cli --version | awk '{ print $2 }')
    tests/package/check_package.sh "build/qxr-fanuc-sorvane_${version}_$(dpkg --print-architecture).deb"
    ;;
*)
    echo "usage: ./build.sh run | test | build | bench | sanitize | fuzz [SECONDS] | lint | package" >&2
    exit 2
    ;;
esac
