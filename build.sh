#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up, builds, runs and tests the project on Debian 12 or 13. See README.md; ./build.sh help lists the
# commands, from the table below.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
source scripts/xvfb.sh
source scripts/windows/wine.sh

build_packages=(cmake ninja-build g++ pkgconf qt6-base-dev fonts-liberation
                libgtest-dev libgmock-dev libbenchmark-dev)

# Configures a preset, every time: a fraction of a second when nothing changed, and a checkout that pulls new
# presets or arguments never builds with the old ones. Then builds it.
build_preset() {
    local preset=$1 dir=$2
    shift 2
    # A folder configured where the checkout lay elsewhere (the host's path, or a Debian 13 root's /src)
    # cannot be configured again: it starts anew.
    if [ -f "$dir/CMakeCache.txt" ] && ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$PWD" "$dir/CMakeCache.txt"; then
        rm -rf "$dir"
    fi
    cmake --preset "$preset" "$@"
    cmake --build --preset "$preset"
}

build() {
    ensure_packages "${build_packages[@]}"
    build_preset default build
}

# Qt for Windows is Debian 13's Qt 6.8 LTS, built with Debian 13's mingw-w64 and host tools of its own
# version: on an older Debian the Windows commands run in a kept Debian 13 root (scripts/fresh-root.sh).
in_debian_13() {
    local version
    version=$(. /etc/os-release && echo "${VERSION_ID:-99}") # testing and unstable have none
    if [ "${version%%.*}" -lt 13 ]; then
        exec scripts/fresh-root.sh --kept trixie ./build.sh "$@"
    fi
}

# Everything for Windows, cross-compiled against Qt built from Debian's source (once per machine).
windows_build() {
    ensure_packages cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 googletest qt6-base-dev \
        xvfb x11-utils xdotool fonts-liberation
    QXR_WINDOWS_QT=$(scripts/windows/qt.sh)
    export QXR_WINDOWS_QT
    build_preset windows-cross build-windows-cross "-DQXR_WINDOWS_QT_LICENSES=$QXR_WINDOWS_QT/licenses"
}

fuzz_configure_args() {
    local clang
    clang=$(recent_clang)
    ensure_packages "libclang-rt-$clang-dev" >&2 # only the argument goes to standard output
    echo "-DCMAKE_CXX_COMPILER=clang++-$clang"
}

# The commands, the one list of them: name, arguments, and what it does, for help and the dispatch below.
# Warnings never stop run, test, build or bench; strict, lint, sanitize, fuzz and the windows commands (CI's)
# treat them as errors.
commands=(
    "run||build and start the window program"
    "test||build and run the whole test suite, headless"
    "build||build only"
    "strict||build every target with warnings as errors"
    "bench||build and run the benchmarks"
    "sanitize||build with AddressSanitizer and UndefinedBehaviorSanitizer, run the tests"
    "fuzz|[SECONDS]|build the libFuzzer targets with clang and run each (default 60 s)"
    "lint||build everything with warnings as errors, check formatting, run clang-tidy"
    "package||build the Debian package and check it (contents, lintian)"
    "portability||build with Ninja Multi-Config, and the core and CLI with clang and libc++"
    "windows-test||cross-compile for Windows (Qt built once from Debian's source), run every test under Wine"
    "windows-package||build the Windows zip and one-user installer, and check both under Wine"
    "help||list these commands"
)

command_help() {
    local entry name rest
    echo "usage: ./build.sh COMMAND"
    for entry in "${commands[@]}"; do
        name=${entry%%|*}
        rest=${entry#*|}
        printf '  %-17s %s\n' "$name ${rest%%|*}" "${rest#*|}"
    done
}

command_run() {
    build
    exec build/bin/qxr-fanuc
}

command_test() {
    build
    ctest --preset default -j "$(nproc)"
}

command_build() {
    build
}

command_strict() {
    ensure_packages "${build_packages[@]}"
    build_preset werror build-werror
}

command_bench() {
    ensure_packages bc
    build
    build/bin/core_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
    build/bin/check_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
    bench/cli_batch_throughput.sh build/bin/qxr-fanuc-cli
    bench/cli_check_throughput.sh build/bin/qxr-fanuc-cli
    bench/cli_plan_throughput.sh build/bin/qxr-fanuc-cli
}

command_sanitize() {
    ensure_packages "${build_packages[@]}"
    build_preset asan build-asan
    ctest --preset asan -j "$(nproc)"
}

command_fuzz() {
    local seconds=${1:-60} target work
    ensure_packages cmake ninja-build
    build_preset fuzz build-fuzz "$(fuzz_configure_args)"
    for target in int16_from_text generate_script_strings script_check csv json_text; do
        # Work in a copy, so that the committed seeds stay small and only change on purpose.
        work=build-fuzz/corpus/$target
        mkdir -p "$work"
        echo "== $target: $seconds s"
        (cd build-fuzz && "bin/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
            "corpus/$target" "../fuzz/corpus/$target" 2>&1) |
            grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec)|ERROR|SUMMARY|Test unit written'
    done
}

command_lint() {
    ensure_packages "${build_packages[@]}" clang-format
    clang=$(recent_clang)
    ensure_packages "clang-tidy-$clang"
    build_preset werror build-werror # every target, warnings as errors; its generated headers serve clang-tidy
    build_preset fuzz build-fuzz "$(fuzz_configure_args)"
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
    "run-clang-tidy-$clang" -p build-werror -quiet -j "$(nproc)" "$PWD/(core|cli|ui|tests|bench)/" \
        >build-werror/clang-tidy.log 2>&1 ||
        { grep -E 'warning:|error:' build-werror/clang-tidy.log; exit 1; }
    "run-clang-tidy-$clang" -p build-fuzz -quiet -j "$(nproc)" "$PWD/fuzz/" >build-fuzz/clang-tidy.log 2>&1 ||
        { grep -E 'warning:|error:' build-fuzz/clang-tidy.log; exit 1; }
    echo "lint: clean"
}

command_package() {
    ensure_packages dpkg-dev file desktop-file-utils appstream man-db lintian
    build
    (cd build && cpack --config CPackConfig.cmake >/dev/null)
    version=$(build/bin/qxr-fanuc-cli --version | awk '{ print $2 }')
    tests/package/check_package.sh "build/qxr-fanuc-sorvane_${version}_$(dpkg --print-architecture).deb"
}

command_portability() {
    # A multi-config generator, whose generated headers live per configuration, and a standard library whose
    # array iterators are classes: each has broken builds that Ninja and libstdc++ accept.
    ensure_packages "${build_packages[@]}"
    build_preset multi-config build-multi-config
    ctest --test-dir build-multi-config -C RelWithDebInfo -j "$(nproc)" --output-on-failure --no-tests=error
    clang=$(recent_clang)
    ensure_packages "libc++-$clang-dev" "libc++abi-$clang-dev"
    build_preset libcxx build-libcxx "-DCMAKE_CXX_COMPILER=clang++-$clang"
    build-libcxx/bin/qxr-fanuc-cli 12 1 1 R
}

command_windows_test() {
    in_debian_13 windows-test
    windows_build
    start_private_xvfb 1280x1024
    start_wine "$PWD/build-windows-cross/wine"
    give_wine_times_new_roman
    trap 'stop_wine; kill "$xvfb" 2>/dev/null || true' EXIT
    ctest --preset windows-cross -j "$(nproc)"
    scripts/windows/window-check.sh build-windows-cross/bin/qxr-fanuc.exe
}

command_windows_package() {
    in_debian_13 windows-package
    windows_build
    ensure_packages binutils-mingw-w64-x86-64 nsis xvfb x11-utils xdotool
    (cd build-windows-cross && cpack --config CPackConfig.cmake >/dev/null)
    version=$(sed -n 's/^    VERSION \([0-9.]*\)$/\1/p' CMakeLists.txt)
    scripts/windows/check-package.sh "build-windows-cross/qxr-fanuc-sorvane-$version-windows-x64.zip"
    scripts/windows/check-installer.sh "build-windows-cross/qxr-fanuc-sorvane-$version-windows-x64-setup.exe"
}

command=${1:-}
for entry in "${commands[@]}"; do
    if [ "${entry%%|*}" = "$command" ]; then
        shift $(($# > 0 ? 1 : 0))
        "command_${command//-/_}" "$@"
        exit
    fi
done
command_help >&2
exit 2
