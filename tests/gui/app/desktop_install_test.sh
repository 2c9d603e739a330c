#!/usr/bin/env bash
# cmake --install puts the program, its menu entry, its icon and the file
# types in place, and the desktop then opens a project file with the program.
#   desktop_install_test.sh <build-dir> <source-dir>
set -euo pipefail
build="$1"
source="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$source/data/prijscorrectum.desktop" || fail "the menu entry is not valid"
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/prijscorrectum share/applications/prijscorrectum.desktop \
         share/icons/hicolor/scalable/apps/prijscorrectum.svg share/mime/packages/prijscorrectum.xml; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done

# Only the installed files and the system's own count: no user settings.
export HOME="$prefix/home" XDG_CONFIG_HOME="$prefix/config" XDG_CONFIG_DIRS="$prefix/etc"
export XDG_DATA_DIRS="$prefix/share:/usr/share" XDG_DATA_HOME="$prefix/user" PATH="$prefix/bin:$PATH"
type_of() { gio info -a standard::content-type "$1" | sed -n 's/.*standard::content-type: //p'; }
[ "$(type_of "$source/examples/worked-example.kvp")" = application/x-prijscorrectum-project ] ||
  fail "a .kvp file is not a PrijsCorrectum project"
[ "$(type_of "$source/examples/worked-example.kvi")" = application/x-prijscorrectum-index ] ||
  fail "a .kvi file is not a PrijsCorrectum index table"
# A project under another name is still recognised by its contents.
cp "$source/examples/worked-example.kvp" "$prefix/project.dat"
[ "$(type_of "$prefix/project.dat")" = application/x-prijscorrectum-project ] ||
  fail "a project file without its extension is not recognised"
# gio reads the desktop database through its own cache, which a busy machine
# may fill a moment late: ask again before calling it a failure.
default_app() { gio mime application/x-prijscorrectum-project 2>&1 | grep -q "Default application.*prijscorrectum.desktop"; }
default_app || { sleep 1; default_app; } || { sleep 2; default_app; } ||
  fail "projects do not open with PrijsCorrectum: $(gio mime application/x-prijscorrectum-project 2>&1 | tr '\n' ' ')"
echo "desktop integration installed and registered"
