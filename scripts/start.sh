#!/usr/bin/env bash
# Installs the packages, builds the programs and starts PrijsCorrectum.
# Until the window exists, the command-line companion computes the bundled
# example project and prints its corrections.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$PC_ROOT"

install_packages
build build/release -DCMAKE_BUILD_TYPE=Release -DPC_BUILD_TESTS=OFF
exec build/release/src/cli/prijscorrectum-cli calc examples/worked-example.kvp
