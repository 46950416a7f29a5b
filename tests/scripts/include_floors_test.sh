#!/usr/bin/env bash
# Every include of the project's own headers points down the floors: a folder
# includes only from itself and the floors below it.
set -euo pipefail
root=${1:?usage: include_floors_test.sh SOURCE_DIR}
cd "$root"

declare -A floor=([world]=0 [base]=0 [gen]=1 [display]=1 [keep]=1 [render]=2 [find]=2
                  [app]=3 [tools]=4)
failures=0
for folder in "${!floor[@]}"; do
  while IFS=: read -r file _ line; do
    included=$(sed -E 's|.*#include "([a-z_]+)/.*|\1|' <<<"$line")
    [[ -v floor[$included] && $included != "$folder" ]] || continue
    if ((floor[$included] >= floor[$folder])); then
      echo "$file includes from $included/, which is not below $folder/" >&2
      failures=$((failures + 1))
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' '^#include "[a-z_]*/' "$folder" || true)
done
((failures == 0)) && echo "every include points down"
