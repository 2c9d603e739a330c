#!/usr/bin/env bash
# run-fuzz.sh BUILD_DIR [SECONDS_IN_ALL]: runs every fuzz target in BUILD_DIR/fuzz
# from its seed corpus (tests/data/corpus/<target>) for a share of the time.
# Any crash, leak or time-out fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"; total="${2:-60}"
mapfile -t targets < <(find "$dir/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
[ "${#targets[@]}" -gt 0 ] || { echo "no fuzz targets"; exit 0; }
share=$(( total / ${#targets[@]} )); [ "$share" -ge 5 ] || share=5
for t in "${targets[@]}"; do
  name=$(basename "$t")
  work=$(mktemp -d)
  [ -d "$root/tests/data/corpus/$name" ] && cp -r "$root/tests/data/corpus/$name/." "$work/"
  if ! "$t" -max_total_time="$share" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
        -artifact_prefix="$dir/" "$work" >"$dir/$name.log" 2>&1; then
    echo "fuzz target $name failed:" >&2; tail -n 60 "$dir/$name.log" >&2; exit 1
  fi
  echo "fuzz: $name ran ${share}s, no findings"
  rm -rf "$work"
done
