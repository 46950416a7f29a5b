#!/usr/bin/env bash
# scripts/hunt.sbatch on a real one-node Slurm cluster that the test starts
# itself (munged, slurmctld, slurmd on this machine, a minimal configuration
# in a temporary folder): `sbatch --wait` with two ranks writes the same
# catalogue as a plain run, and so does a job cancelled mid-way and
# submitted again. Any part that cannot start fails the test, with
# the reason: it is never skipped.
set -u
hunt=$1
query=$2
batch_script=$3
dir=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$dir"
}
trap cleanup EXIT
source "$(dirname "$0")/hunt_lib.sh"
why() { for log in "$@"; do [[ -s $log ]] && tail -n 5 "$log" >&2; done; }

[[ $(id -u) -eq 0 ]] || fail "a Slurm cluster's daemons start as root only; run as root (CI does)"
for program in munged slurmctld slurmd sbatch sinfo srun squeue scancel; do
  command -v "$program" >/dev/null || fail "$program is missing: scripts/install-deps.sh hunt installs it"
done

# munge: a key of its own and a socket in the test's folder.
mkdir -p "$dir/munge" "$dir/state" "$dir/spool"
head -c 1024 /dev/urandom >"$dir/munge/key"
chmod 711 "$dir/munge"
chmod 400 "$dir/munge/key"
munged --force --foreground --key-file="$dir/munge/key" --socket="$dir/munge/socket" \
  --pid-file="$dir/munge/pid" --seed-file="$dir/munge/seed" --log-file="$dir/munge/log" \
  >/dev/null 2>&1 &
pids+=($!)
for ((i = 0; i < 100; ++i)); do [[ -S $dir/munge/socket ]] && break; sleep 0.1; done
[[ -S $dir/munge/socket ]] || { why "$dir/munge/log"; fail "munged did not start"; }

node=$(hostname -s)
port=$((20000 + RANDOM % 20000))
export SLURM_CONF=$dir/slurm.conf
cat >"$SLURM_CONF" <<CONF
ClusterName=glyphverse-test
SlurmctldHost=$node(127.0.0.1)
SlurmctldPort=$port
SlurmdPort=$((port + 1))
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$dir/munge/socket
CredType=cred/munge
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
MpiDefault=none
JobCompType=jobcomp/none
AccountingStorageType=accounting_storage/none
NodeName=$node NodeAddr=127.0.0.1 CPUs=$(nproc) State=UNKNOWN
PartitionName=hunt Nodes=$node Default=YES MaxTime=INFINITE State=UP OverSubscribe=YES
CONF
slurmctld -D -i >/dev/null 2>&1 &
pids+=($!)
slurmd -D -N "$node" >/dev/null 2>&1 &
pids+=($!)
for ((i = 0; i < 300; ++i)); do
  [[ $(sinfo -h -n "$node" -o %t 2>/dev/null) == idle ]] && break
  sleep 0.1
done
[[ $(sinfo -h -n "$node" -o %t 2>/dev/null) == idle ]] ||
  { why "$dir/slurmctld.log" "$dir/slurmd.log"; fail "the one-node cluster did not come up"; }

region=(2000 -300 1024 1024 'stars>=3' 'bright>=40' --tile-side 128)
"$hunt" "${region[@]}" --quiet --out "$dir/plain.db" >/dev/null || fail "plain hunt exited $?"
export GLYPHVERSE_HUNT=$hunt OMPI_ALLOW_RUN_AS_ROOT=1 OMPI_ALLOW_RUN_AS_ROOT_CONFIRM=1
sbatch --wait --quiet -N 1 --ntasks-per-node=2 --oversubscribe --output="$dir/job.out" \
  "$batch_script" "${region[@]}" --out "$dir/slurm.db" ||
  { why "$dir/job.out" "$dir/slurmd.log"; fail "the batch job failed"; }
[[ $(catalogue_text "$dir/slurm.db") == $(catalogue_text "$dir/plain.db") ]] ||
  fail "the catalogue from Slurm differs from the plain run's"
# Only rank 0 prints the totals: two lines would be two ranks that never met.
[[ $(grep -c . "$dir/job.out") -eq 1 ]] || fail "the job's output is not one totals line: $(cat "$dir/job.out")"

# Cancelled mid-way and submitted again, the hunt goes on where it stopped.
region=(0 0 8192 4096 'planets>=9' --tile-side 64)
"$hunt" "${region[@]}" --quiet --out "$dir/whole.db" >/dev/null || fail "plain hunt exited $?"
all_stars=$(stars_done "$dir/whole.db")
job=$(sbatch --parsable -N 1 --ntasks-per-node=2 --oversubscribe --output="$dir/cancelled.out" \
  "$batch_script" "${region[@]}" --out "$dir/resumed.db") || fail "sbatch refused the job"
for ((i = 0; i < 600; ++i)); do
  [[ $(stars_done "$dir/resumed.db") -gt 0 ]] && break
  sleep 0.05
done
scancel "$job" || fail "scancel failed"
for ((i = 0; i < 300; ++i)); do
  [[ -z $(squeue -h -j "$job" 2>/dev/null) ]] && break
  sleep 0.1
done
[[ -z $(squeue -h -j "$job" 2>/dev/null) ]] || fail "the cancelled job did not end"
done_then=$(stars_done "$dir/resumed.db")
((done_then > 0 && done_then < all_stars)) ||
  fail "the cancel came too early or too late ($done_then of $all_stars stars done)"
sbatch --wait --quiet -N 1 --ntasks-per-node=2 --oversubscribe --output="$dir/resumed.out" \
  "$batch_script" "${region[@]}" --out "$dir/resumed.db" ||
  { why "$dir/resumed.out"; fail "the resubmitted job failed"; }
[[ $(catalogue_text "$dir/resumed.db") == $(catalogue_text "$dir/whole.db") ]] ||
  fail "cancelled and resubmitted, the catalogue differs from an uninterrupted one's"
echo "hunt slurm: ok"
