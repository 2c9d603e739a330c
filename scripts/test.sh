#!/usr/bin/env bash
# Installs the packages, builds every target and runs every test:
#  1. all tests under AddressSanitizer and UndefinedBehaviorSanitizer;
#  2. the tests labelled "threads" again under ThreadSanitizer;
#  3. every fuzz target for a bounded time;
#  4. an optimised build of the programs and benchmarks, so they never rot.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$PC_ROOT"

install_packages

build build/test -DCMAKE_BUILD_TYPE=Debug -DPC_SANITIZE=address,undefined
ctest --test-dir build/test --output-on-failure --parallel "$(nproc)" --timeout 300

build build/tsan -DCMAKE_BUILD_TYPE=Debug -DPC_SANITIZE=thread -DPC_BUILD_GUI=OFF
TSAN_OPTIONS="halt_on_error=1" ctest --test-dir build/tsan -L threads --output-on-failure --timeout 300

build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DPC_BUILD_TESTS=OFF -DPC_BUILD_GUI=OFF -DPC_BUILD_FUZZ=ON -DPC_SANITIZE=address,undefined
"$PC_ROOT/scripts/run-fuzz.sh" build/fuzz

build build/release -DCMAKE_BUILD_TYPE=Release -DPC_BUILD_TESTS=OFF -DPC_BUILD_BENCH=ON
