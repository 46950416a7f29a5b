#!/usr/bin/env bash
# glyphverse-query as a program: queries from arguments or standard input,
# one answer line each, exit status 1 when any line was malformed.
set -u
query=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$("$query" galaxy 10 10) || fail "single query exited $?"
[[ "$out" == $'14\t13\t14\t0\t0\t2' ]] || fail "single query gave '$out'"

out=$(printf '# comment\n\nname 0\nname 1\n' | "$query") || fail "stdin queries exited $?"
[[ "$out" == $'Trezn 72\nZuozdyh' ]] || fail "stdin queries gave '$out'"

out=$(printf 'name 0\nbogus\nname 1\n' | "$query"); status=$?
[[ $status -eq 1 ]] || fail "a malformed line should exit 1, got $status"
[[ $(echo "$out" | wc -l) -eq 3 ]] || fail "every query line needs an answer line: '$out'"
[[ $(echo "$out" | sed -n 2p) == error:* ]] || fail "malformed line answered '$out'"
[[ $(echo "$out" | sed -n 3p) == Zuozdyh ]] || fail "processing must go on after an error"

"$query" galaxy x y >/dev/null && fail "bad arguments must exit 1"
echo "query CLI ok"
