#!/usr/bin/env bash
# The whole site, as a browser downloads it compressed, stays under 1 MB.
set -euo pipefail
site=$1
limit=$((1000 * 1000))
total=0
for file in "$site"/*; do
  total=$((total + $(gzip -9 -c "$file" | wc -c)))
done
echo "site: $(ls "$site" | wc -l) files, $total bytes compressed (gzip -9), limit $limit"
[[ $total -le $limit ]]
