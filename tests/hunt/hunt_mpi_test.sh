#!/usr/bin/env bash
# glyphverse-hunt under mpirun: 3 ranks write the same catalogue as one
# process, and a refused catalogue stops every rank with status 2.
set -u
hunt=$1
query=$2
mpirun=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
source "$(dirname "$0")/hunt_lib.sh"
# CI runs as root; OpenMPI refuses root unless told.
export OMPI_ALLOW_RUN_AS_ROOT=1 OMPI_ALLOW_RUN_AS_ROOT_CONFIRM=1
ranks=("$mpirun" --oversubscribe -np 3)

region=(-1000 500 2048 1024 'planets>=8' --tile-side 64 --quiet --threads 1)
"$hunt" "${region[@]}" --out "$dir/alone.db" >"$dir/alone.out" || fail "one process exited $?"
"${ranks[@]}" "$hunt" "${region[@]}" --out "$dir/ranks.db" >"$dir/ranks.out" 2>"$dir/err" ||
  fail "3 ranks exited $?: $(cat "$dir/err")"
[[ $(catalogue_text "$dir/ranks.db") == $(catalogue_text "$dir/alone.db") ]] ||
  fail "3 ranks wrote another catalogue than one process"
cmp -s "$dir/alone.out" "$dir/ranks.out" || fail "3 ranks printed other totals"

cp "$dir/ranks.db" "$dir/before.db"
"${ranks[@]}" "$hunt" 0 0 10 10 --quiet --out "$dir/ranks.db" >/dev/null 2>"$dir/err"
status=$?
[[ $status -eq 2 ]] || fail "another hunt onto the catalogue under mpirun exited $status"
cmp -s "$dir/ranks.db" "$dir/before.db" || fail "a refused hunt changed the catalogue"
echo "hunt mpi: ok"
