#!/usr/bin/env bash
# glyphverse-query as a program: queries from arguments or standard input,
# one answer line each, exit status 1 when any line was malformed, 2 when
# reading or writing failed.
set -u
query=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$("$query" galaxy 10 10) || fail "single query exited $?"
[[ "$out" == $'14\t13\t14\t0\t0\t2' ]] || fail "single query gave '$out'"
[[ $("$query" galaxy -1 -1) == $("$query" galaxy 16777215 16777215) ]] ||
  fail "negative coordinates must be read as coordinates, not options"

out=$(printf '# comment\n\nname 0\nname 1\n' | "$query") || fail "stdin queries exited $?"
[[ "$out" == $'Trezn 72\nZuozdyh' ]] || fail "stdin queries gave '$out'"

out=$(printf 'name 0\nbogus\nname 1\n' | "$query"); status=$?
[[ $status -eq 1 ]] || fail "a malformed line should exit 1, got $status"
[[ $(echo "$out" | wc -l) -eq 3 ]] || fail "every query line needs an answer line: '$out'"
[[ $(echo "$out" | sed -n 2p) == error:* ]] || fail "malformed line answered '$out'"
[[ $(echo "$out" | sed -n 3p) == Zuozdyh ]] || fail "processing must go on after an error"

"$query" galaxy x y >/dev/null && fail "bad arguments must exit 1"

# --help names every query, the columns of system, the filters and the terrain classes.
help=$("$query" --help) || fail "--help exited $?"
for word in --help --version 'galaxy X Y' 'system X Y' 'sysbg GX GY X Y' 'planet GX GY X Y' \
  'name SEED' 'nearest X Y RADIUS' 'count X Y RADIUS' 'bright>=N' 'name=TEXT' \
  starCount planetCount bodyCount nebColor nebIntens '1 water' '6 grass'; do
  [[ "$help" == *"$word"* ]] || fail "--help does not mention '$word'"
done
[[ $("$query" --version) =~ ^glyphverse-query\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version"
"$query" --bogus 2>"$dir/err" >/dev/null; [[ $? -eq 2 && -s "$dir/err" ]] || fail "unknown option"

# A line over 1 MiB is answered with an error, the lines around it normally.
{ echo "name 0"; head -c 3000000 /dev/zero | tr '\0' 7; echo; echo "name 1"; } |
  "$query" >"$dir/out"; status=$?
[[ $status -eq 1 ]] || fail "a too long line should exit 1, got $status"
[[ $(sed -n 1p "$dir/out") == 'Trezn 72' && $(sed -n 3p "$dir/out") == Zuozdyh ]] ||
  fail "answers around a long line were lost: $(head -c 300 "$dir/out")"
[[ $(sed -n 2p "$dir/out") == 'error: '*'longer than 1048576 bytes' ]] ||
  fail "a long line was answered '$(sed -n 2p "$dir/out" | head -c 100)'"

# Failed reads and writes are errors with their reasons.
"$query" galaxy 1 1 >/dev/full 2>"$dir/err"; status=$?
[[ $status -eq 2 ]] || fail "an answer to a full device should exit 2, got $status"
grep -q 'No space left on device' "$dir/err" || fail "full device: $(cat "$dir/err")"
echo "galaxy 1 1" | "$query" >/dev/full 2>"$dir/err"; status=$?
[[ $status -eq 2 ]] && grep -q 'No space left' "$dir/err" || fail "stdin answers to a full device"
"$query" </tmp >/dev/null 2>"$dir/err"; status=$?
[[ $status -eq 2 ]] || fail "reading a directory should exit 2, got $status"
grep -q 'Is a directory' "$dir/err" || fail "reading a directory: $(cat "$dir/err")"

# A co-process gets each answer as soon as it has sent the line.
coproc QUERY { "$query"; }
# Bash unsets QUERY_PID once the co-process has ended, which may be before the wait.
query_pid=$QUERY_PID
for q in "galaxy 10 10" "name 0"; do
  echo "$q" >&"${QUERY[1]}"
  read -r -t 10 -u "${QUERY[0]}" answer || fail "no answer to '$q' before the end of input"
done
[[ "$answer" == 'Trezn 72' ]] || fail "co-process got '$answer'"
exec {QUERY[1]}>&-
wait "$query_pid" || fail "co-process query exited $?"
echo "query CLI ok"
