#!/usr/bin/env bash
# Planners and HR clerks working on one hospital store at once, each a
# process of its own: how many acts committed, how many ran again on
# another's new rows, how many were refused or lost, and how long an act
# took (median, p99). A throwaway cluster in a temporary folder, stopped and
# removed at the end.
#
#   scripts/store-load.sh [--build DIR] [--wards W] [--per-ward N] [--planners P] [--clerks K] [--acts A]
#                         [--per-act]
#
# Each planner and clerk is one `planek-cli db session` doing all its acts,
# as a planner's program does; an act's time is from its line written to its
# answer read. With --per-act every act is a `planek-cli db act` of its own
# instead (the connection, the read of the month and the start of the
# program paid by every act).
#
# Planners add duties to their own workers (days 1-26 of an empty April),
# clerks give leave (days 27-30) to any worker; a duty or leave committed
# and then not in the store is lost, and so is a leave whose minutes the
# balances do not show.
set -euo pipefail
build=build wards=4 perward=10 planners=4 clerks=1 acts=25 perAct=0
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;; --wards) wards=$2; shift 2 ;; --per-ward) perward=$2; shift 2 ;;
    --planners) planners=$2; shift 2 ;; --clerks) clerks=$2; shift 2 ;; --acts) acts=$2; shift 2 ;;
    --per-act) perAct=1; shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
cli=$(realpath "$build/planek-cli")
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -x "$bin/initdb" ] || { echo "the PostgreSQL server is missing (apt install postgresql)" >&2; exit 1; }
work=$(mktemp -d /tmp/planek-load-XXXXXX)
as=()
if [ "$(id -u)" -eq 0 ]; then chown postgres "$work"; as=(runuser -u postgres --); fi
port=$((20000 + RANDOM % 20000))
stop() {
  "${as[@]}" "$bin/pg_ctl" -D "$work/cluster" -m fast -w stop >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap stop EXIT
"${as[@]}" env LANG=C.UTF-8 "$bin/initdb" -D "$work/cluster" --auth=trust -E UTF8 --locale=C.UTF-8 -U planek -N >/dev/null
"${as[@]}" "$bin/pg_ctl" -D "$work/cluster" -l "$work/server.log" -w \
  -o "-c listen_addresses='' -c unix_socket_directories=$work -p $port" start >/dev/null
"${as[@]}" "$bin/createdb" -h "$work" -p "$port" -U planek load
url="host=$work port=$port user=planek dbname=load"

workers=$((wards * perward))
ward="$work/ward"
mkdir -p "$ward"; chmod 777 "$work"
"$cli" generate "$ward" --workers "$workers" --groups "$wards" --months 1 --from 2027-03 --seed 1 >/dev/null
"$cli" --root "$ward" new "$ward/dane/2027_04.pnk" 2027-04 >/dev/null
"$cli" db init "$url" >/dev/null
"$cli" db import "$ward" "$url" >/dev/null
psql() { command psql -h "$work" -p "$port" -U planek -d load -tAc "$1"; }
before=$(psql "SELECT sum(holiday_current + holiday_previous) FROM balances")

# One act: its time, exit code and whether it ran again, a line to $log.
# In a session the act is a line to the session's input and its answer the
# line that starts with what became of it (an act's own output comes before).
act() {
  local log=$1; shift
  local t0 t1 err answer code again=0
  if [ "$perAct" -eq 1 ]; then
    t0=${EPOCHREALTIME/./}
    err=$("$cli" --lang english --yes db act "$url" 2027-04 "$@" 2>&1 >/dev/null) && code=0 || code=$?
    t1=${EPOCHREALTIME/./}
    case "$err" in *"ran again"*) again=1 ;; esac
  else
    t0=${EPOCHREALTIME/./}
    echo "2027-04 $*" >&"${SESSION[1]}"
    while read -r answer <&"${SESSION[0]}"; do
      case "$answer" in committed* | retried* | refused*) break ;; esac
    done
    t1=${EPOCHREALTIME/./}
    case "$answer" in committed*) code=0 ;; retried*) code=0 again=1 ;; *) code=1 ;; esac
  fi
  echo "$(( t1 - t0 )) $code $again $*" >>"$log"
}
# The session of one planner or clerk, for the acts to come.
begin() {
  [ "$perAct" -eq 1 ] && return 0
  coproc SESSION { "$cli" --lang english --yes db session "$url" 2>>"$work/session-errors"; }
}
end() {
  [ "$perAct" -eq 1 ] && return 0
  local pid=$SESSION_PID
  exec {SESSION[1]}>&-
  wait "$pid" || true
}
planner() {
  local p=$1 i w d
  begin
  for ((i = 0; i < acts; i++)); do
    # The planner's own workers in turn, a new day each round.
    w=$(( (p + planners * (i % (workers / planners))) % workers + 1 ))
    d=$(( i / (workers / planners) % 26 + 1 ))
    act "$work/planner$p.log" add-duty "$w" "$d" 1 --note "load-$p-$i"
  done
  end
}
clerk() {
  local k=$1 i
  begin
  for ((i = 0; i < acts; i++)); do
    act "$work/clerk$k.log" add-dayoff $(( (k * acts + i) % workers + 1 )) $(( 27 + (k * acts + i) / workers % 4 )) u
  done
  end
}
start=$(date +%s%N)
for ((p = 0; p < planners; p++)); do planner "$p" & done
for ((k = 0; k < clerks; k++)); do clerk "$k" & done
wait
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))

cat "$work"/planner*.log "$work"/clerk*.log 2>/dev/null >"$work/all" || true
total=$(wc -l <"$work/all")
committed=$(awk '$2 == 0' "$work/all" | wc -l)
retried=$(awk '$2 == 0 && $3 == 1' "$work/all" | wc -l)
refused=$((total - committed))
duties=$(psql "SELECT count(*) FROM duties d JOIN months m ON m.id = d.month_id WHERE m.month = 4 AND d.record LIKE '%load-%'")
dutiesCommitted=$( (cat "$work"/planner*.log 2>/dev/null || true) | awk '$2 == 0' | wc -l)
leave=$(psql "SELECT count(*) FROM days_off d JOIN months m ON m.id = d.month_id WHERE m.month = 4 AND d.kind = 'u'")
leaveCommitted=$( (cat "$work"/clerk*.log 2>/dev/null || true) | awk '$2 == 0' | wc -l)
taken=$(psql "SELECT coalesce(sum(split_part(record, '¤', 5)::integer), 0) FROM days_off d JOIN months m ON m.id = d.month_id WHERE m.month = 4 AND d.kind = 'u'")
after=$(psql "SELECT sum(holiday_current + holiday_previous) FROM balances")
lost=$(( dutiesCommitted - duties + leaveCommitted - leave ))
balanceGap=$(( before - after - taken ))
read -r median p99 < <(awk '{print $1}' "$work/all" | sort -n | awk '{a[NR]=$1} END {m=a[int((NR+1)/2)]; q=a[int(NR*0.99+0.999)]; printf "%.1f %.1f\n", m/1000, q/1000}')
echo "wards $wards, workers $workers, planners $planners, clerks $clerks, acts each $acts: $total acts in $((elapsed / 1000)).$((elapsed % 1000 / 100)) s"
echo "committed $committed, ran again $retried, refused $refused, lost $lost (duties $duties of $dutiesCommitted, leave $leave of $leaveCommitted), balance gap $balanceGap min"
mode="one db session per planner"; [ "$perAct" -eq 1 ] && mode="one planek-cli run per act"
echo "latency of an act ($mode): median $median ms, p99 $p99 ms"
[ "$lost" -eq 0 ] && [ "$balanceGap" -eq 0 ]
