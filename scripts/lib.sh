# Shared by the set-up scripts: quiet steps that show their output only when they fail.
PC_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PC_LOGS="$PC_ROOT/build/logs"
mkdir -p "$PC_LOGS"

# quietly NAME CMD...: runs CMD with its output in build/logs/NAME.log; on failure prints it and exits.
quietly() {
  local name="$1"; shift
  if ! "$@" >"$PC_LOGS/$name.log" 2>&1; then
    echo "step '$name' failed: $*" >&2
    tail -n 200 "$PC_LOGS/$name.log" >&2
    exit 1
  fi
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
  local pkgs
  pkgs=$(grep -v '^\s*#' "$PC_ROOT/scripts/debian-packages.txt" | grep -v '^\s*$' | tr '\n' ' ')
  export DEBIAN_FRONTEND=noninteractive
  quietly apt-update as_root apt-get update
  # shellcheck disable=SC2086
  quietly apt-install as_root apt-get install -y --no-install-recommends $pkgs
}

# build DIR [cmake options...]: configures (once) and builds the tree in DIR.
build() {
  local dir="$1"; shift
  local name; name=$(basename "$dir")
  quietly "configure-$name" cmake -S "$PC_ROOT" -B "$dir" -G Ninja "$@"
  quietly "build-$name" cmake --build "$dir" --parallel "$(nproc)"
}
