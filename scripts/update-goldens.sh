#!/usr/bin/env bash
# Remakes the golden frames of tests/golden from tests/golden/frames.txt with
# the snapshot tool. Run it only when a change of the picture is intended, and
# look at every new PNG before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
snapshot=${1:-build/dev/bin/glyphverse-snapshot}
[[ -x "$snapshot" ]] || { echo "update-goldens: build $snapshot first (make build)" >&2; exit 1; }

while IFS='|' read -r name start script; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  args=(--start "$start" --out "tests/golden/$name.png")
  [[ -n "$script" ]] && args+=(--script "$script")
  "$snapshot" "${args[@]}" >/dev/null
  echo "wrote tests/golden/$name.png"
done < tests/golden/frames.txt
