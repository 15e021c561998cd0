#!/usr/bin/env bash
# How big the change journal grows: one simulated day of a line of eight cameras (each connected and
# read twice, a settings file loaded, five values set, a memory area stored, a white balance run and
# the LUT tables written), run with vr8200ctl against eight virtual cameras, then the size of the
# journal per day and for a year of such days. Usage: scripts/journal-size.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build/release}
ctl=$build/cli/vr8200ctl
sim=$build/sim/vr8200-sim
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

for n in 1 2 3 4 5 6 7 8; do
  "$sim" --link "$work/cam$n" >/dev/null 2>&1 &
  pids+=($!)
done
for n in 1 2 3 4 5 6 7 8; do
  for _ in $(seq 50); do [ -e "$work/cam$n" ] && break; sleep 0.1; done
done

run() { "$ctl" --config-dir "$work/config" --journal "$work/journal.sqlite" --port "$work/cam$1" "${@:2}" >/dev/null 2>&1; }
day() {
  for n in 1 2 3 4 5 6 7 8; do
    run "$n" dump
    run "$n" --yes save "$work/line$n.cam"
    run "$n" load "$work/line$n.cam"
    run "$n" set "GA=$((100 + $1 % 50))" "BL=$(($1 % 7))" "OFC=$(($1 % 3))" "GAR=$((100 + $1 % 11))" "GAB=$((100 + $1 % 13))"
    run "$n" --rate 115200 store-area 1
    run "$n" onepush white-balance || true
    run "$n" --yes lut read "$work/lut$n.csv"
    run "$n" lut write "$work/lut$n.csv"
    run "$n" dump
  done
}

days=${DAYS:-3}
for d in $(seq "$days"); do day "$d"; done
"$ctl" --journal "$work/journal.sqlite" --config-dir "$work/config" history prune --before 2000-01-01 >/dev/null
bytes=$(stat -c %s "$work/journal.sqlite")
entries=$("$ctl" --journal "$work/journal.sqlite" --config-dir "$work/config" history | wc -l)
echo "days=$days cameras=8 entries=$entries bytes=$bytes"
echo "per_day_bytes=$((bytes / days)) per_year_mb=$((bytes / days * 365 / 1000000))"
