#!/usr/bin/env bash
# Pictures of the real window on the bundled example, for the README:
# builds the program, starts it on a virtual display (Xvfb) with a throw-away
# home folder, and lets it save its own pictures into docs/screenshots/.
#   scripts/screenshots.sh [build-dir]     (default build/release)
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$PC_ROOT"

dir="${1:-build/release}"
if [ ! -x "$dir/src/gui/prijscorrectum" ]; then
  build "$dir" -DCMAKE_BUILD_TYPE=Release -DPC_BUILD_TESTS=OFF
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The example is opened from a copy, so neither it nor the user's own
# settings and recent list are touched.
cp examples/worked-example.kvp examples/worked-example.kvi "$work/"
out="$PC_ROOT/docs/screenshots"
mkdir -p "$out"

HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data" \
XDG_STATE_HOME="$work/home/state" PRIJSCORRECTUM_SCREENSHOTS="$out" QT_QPA_PLATFORM=xcb \
  timeout 60 xvfb-run -a -s "-screen 0 1280x800x24" "$dir/src/gui/prijscorrectum" "$work/worked-example.kvp"

ls "$out"/*.png >/dev/null
echo "screenshots in docs/screenshots/"
