#!/usr/bin/env bash
# Runs velscan over a corpus as a Slurm job array of 4 shards on a single-node Slurm brought up
# here from Debian's packages (slurm-wlm, munge), merges the shards' results with --merge and
# compares them with one velscan run over the same folder. Run as root on a machine of its own
# (it writes /etc/slurm/slurm.conf and starts munged, slurmctld and slurmd, and stops the
# daemons it started at the end). Not part of the tests.
#   examples/batch/slurm-array.sh [VELSCAN [CORPUS [WORKDIR]]]
set -euo pipefail
cd "$(dirname "$0")/../.."

velscan=$(realpath "${1:-build/bin/velscan}")
corpus=$(realpath "${2:-/work/shared/corpus}")
work=${3:-/tmp/velscan-slurm}
shards=4
node=$(hostname -s)

[ "$(id -u)" -eq 0 ] || { echo "slurm-array: run as root" >&2; exit 1; }
for p in slurm-wlm munge; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p"
done

rm -rf "$work"
mkdir -p "$work" /var/spool/slurmctld /var/spool/slurmd /var/log/slurm /run/munge

# A minimal configuration: this host is the controller and the only node, with all its cores.
cat > /etc/slurm/slurm.conf <<CONF
ClusterName=vel
SlurmctldHost=$node
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
StateSaveLocation=/var/spool/slurmctld
SlurmdSpoolDir=/var/spool/slurmd
SlurmctldPidFile=/run/slurmctld.pid
SlurmdPidFile=/run/slurmd.pid
SlurmctldLogFile=/var/log/slurm/slurmctld.log
SlurmdLogFile=/var/log/slurm/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
NodeName=$node CPUs=$(nproc) State=UNKNOWN
PartitionName=batch Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF

started=()
stop_daemons() {
    for pidfile in "${started[@]}"; do
        [ -f "$pidfile" ] && kill "$(cat "$pidfile")" 2>/dev/null || true
    done
}
trap stop_daemons EXIT

[ -s /etc/munge/munge.key ] || mungekey --create
chown munge:munge /etc/munge/munge.key /run/munge
runuser -u munge -- munged --pid-file=/run/munge/munged.pid
started+=(/run/munge/munged.pid)
slurmctld
started+=(/run/slurmctld.pid)
slurmd
started+=(/run/slurmd.pid)
for _ in $(seq 30); do
    sinfo -h -o %T 2>/dev/null | grep -qE '^(idle|mixed)' && break
    sleep 1
done
echo "== sinfo"
sinfo

# Each array task scans its shard, one picture at a time on the core Slurm gives it, and
# resumes its own file if Slurm runs it again.
cat > "$work/shard.sbatch" <<JOB
#!/bin/bash
#SBATCH --job-name=velscan
#SBATCH --cpus-per-task=1
#SBATCH --output=$work/shard-%a.log
"$velscan" -r -j1 --shard \$SLURM_ARRAY_TASK_ID/$shards --format json \\
    --resume "$work/shard-\$SLURM_ARRAY_TASK_ID.jsonl" "$corpus"
status=\$?
# 4 (no barcode in this shard) and 2 (a picture could not be read) are results, not failures.
[ \$status -eq 1 ] && exit 1 || exit 0
JOB

echo "== sbatch --array=1-$shards --wait"
start=$(date +%s.%N)
sbatch --array=1-$shards --wait "$work/shard.sbatch"
end=$(date +%s.%N)
echo "array done in $(echo "$end - $start" | bc) s"
grep -c WARNING "$work"/shard-*.log | sed 's/^/ZBar warnings on standard error: /' || true
wc -l "$work"/shard-*.jsonl

echo "== velscan --merge"
set +e
"$velscan" --merge "$work/merged.jsonl" "$work"/shard-*.jsonl -r --expect <(echo "$corpus")
echo "merge status $?"
"$velscan" -r --format json "$corpus" > "$work/single.jsonl" 2> "$work/single.log"
set -e
wc -l < "$work/single.jsonl" | sed 's/^/single run: pictures /'
if cmp "$work/merged.jsonl" "$work/single.jsonl"; then
    echo "merged shards equal the single run, byte for byte"
else
    echo "merged shards differ from the single run" >&2
    exit 1
fi
