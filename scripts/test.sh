#!/usr/bin/env bash
# Sets up a fresh machine, builds Zelpo with its tests and runs every test; then runs them all
# again under AddressSanitizer and UndefinedBehaviorSanitizer, and fuzzes the readers briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh --tests
cmake -S . -B build -G Ninja -DZELPO_BUILD_TESTS=ON >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"

# Every sanitizer report, from a test or from any program a test starts, lands in this folder;
# any report at all fails the run, even one from a program whose exit status nobody checks.
cmake -S . -B build-asan -G Ninja -DZELPO_BUILD_TESTS=ON -DZELPO_SANITIZE=ON >/dev/null
cmake --build build-asan
sanitizer_reports=$(mktemp -d "${TMPDIR:-/tmp}/zelpo-sanitizers.XXXXXX")
status=0
ASAN_OPTIONS="log_path=$sanitizer_reports/asan" \
LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0" \
UBSAN_OPTIONS="log_path=$sanitizer_reports/ubsan:print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)" || status=$?
if compgen -G "$sanitizer_reports/*" >/dev/null; then
    cat "$sanitizer_reports"/* >&2
    echo "Sanitizer reports above (kept in $sanitizer_reports)." >&2
    exit 1
fi
rm -rf "$sanitizer_reports"
((status == 0)) || exit "$status"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZELPO_FUZZ=ON \
    -DZELPO_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --target zelpo_fuzzers
ctest --test-dir build-fuzz -L fuzz --output-on-failure -j "$(nproc)"
