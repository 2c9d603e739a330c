#!/usr/bin/env bash
# Installs the packages, builds the programs and starts PrijsCorrectum on the
# bundled example project. Without a display the window cannot open: the
# script says so and lets the command-line companion compute the example.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$PC_ROOT"

install_packages
build build/release -DCMAKE_BUILD_TYPE=Release -DPC_BUILD_TESTS=OFF

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/release/src/gui/prijscorrectum examples/worked-example.kvp
fi
echo "Geen beeldscherm gevonden (DISPLAY en WAYLAND_DISPLAY zijn leeg): de rekenmodule berekent het voorbeeldproject."
exec build/release/src/cli/prijscorrectum-cli calc examples/worked-example.kvp
