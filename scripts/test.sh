#!/usr/bin/env bash
# Sets up a fresh machine, builds Zelpo with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh --tests
cmake -S . -B build -G Ninja -DZELPO_BUILD_TESTS=ON >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
