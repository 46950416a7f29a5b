#!/usr/bin/env bash
# install-deps.sh on a multi-architecture machine, with fake dpkg, dpkg-query
# and apt-get on PATH: a package installed for two architectures is present,
# one installed only for another architecture is missing, and only the
# missing packages are installed.
set -u
script=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

fake=$(mktemp -d)
trap 'rm -rf "$fake"' EXIT
cat >"$fake/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
# Every package is installed for amd64 and arm64, except those in
# $ONLY_FOREIGN (arm64 only) and $ABSENT (not installed at all).
pkg=${!#}
name=${pkg%%:*}
[[ " $ABSENT " == *" $pkg "* || " $ABSENT " == *" $name "* ]] && { echo "no $pkg" >&2; exit 1; }
lines="ii  arm64"
[[ " $ONLY_FOREIGN " == *" $name "* ]] || lines=$'ii  amd64\nii  arm64'
[[ $pkg == *:* ]] && lines=$(grep " ${pkg##*:}\$" <<<"$lines")
echo "$lines"
FAKE
cat >"$fake/dpkg" <<'FAKE'
#!/usr/bin/env bash
case $1 in
  --print-architecture) echo amd64 ;;
  --print-foreign-architectures) echo arm64 ;;
  *) echo "dpkg $*" >>"$LOG" ;;
esac
FAKE
printf '#!/usr/bin/env bash\necho "apt-get $*" >>"$LOG"\n' >"$fake/apt-get"
printf '#!/usr/bin/env bash\necho 0\n' >"$fake/id"
chmod +x "$fake"/*
export LOG=$fake/log PATH="$fake:$PATH"

# Installed for both architectures: nothing to say, nothing to install.
out=$(ONLY_FOREIGN="" ABSENT="gcc-multilib" bash "$script" test cross 2>&1) || fail "exited $? with all installed: $out"
[[ -z "$out" && ! -e "$LOG" ]] || fail "all installed, yet it said '$out' and ran $(cat "$LOG" 2>/dev/null)"

# Installed only for arm64, or not at all: exactly those are installed.
out=$(ONLY_FOREIGN="libgtest-dev libpng-dev" ABSENT="xdotool gcc-multilib" bash "$script" test cross 2>&1) ||
  fail "exited $? with packages missing: $out"
install=$(grep '^apt-get .*install ' "$LOG") || fail "apt-get install not run: $(cat "$LOG")"
[[ $install == *"DPkg::Lock::Timeout="* ]] || fail "does not wait for another install's lock: $install"
packages=$(tr ' ' '\n' <<<"${install#*install }" | grep -v '^-' | grep . | sort | xargs)
[[ $packages == "libgtest-dev libpng-dev xdotool" ]] || fail "installs '$packages', not what is missing"
grep -q '^dpkg --add-architecture' "$LOG" && fail "added an architecture that was present"
[[ $out == *"unit tests"*libgtest-dev* ]] || fail "does not say why it installs: '$out'"
echo "install-deps ok"
