#!/usr/bin/env bash
# Plants the faults of a list into the source one at a time, builds, runs the tests that should catch
# each, and prints which faults the suite missed. Run by hand: it takes long. See HACKING.md.
#
#   scripts/mutants.sh [--list FILE] [--only NAME]... [--build-dir DIR] [--jobs N] [--check]
#
#   --list FILE      the fault list (default scripts/mutants.list; its head says the format)
#   --only NAME      plant only this fault (repeatable)
#   --build-dir DIR  the build folder of the mutants (default build/mutants; never the release build)
#   --jobs N         parallel compile and test jobs (default 2)
#   --check          only check that every fault can be planted (its text occurs exactly once)
#
# Exit status: 0 when every fault was caught, 1 when one survived or could not be planted, 2 usage.
set -euo pipefail
cd "$(dirname "$0")/.."

list=scripts/mutants.list
build=build/mutants
jobs=2
check=0
only=()
while (($#)); do
    case "$1" in
        --list) list=$2; shift 2 ;;
        --only) only+=("$2"); shift 2 ;;
        --build-dir) build=$2; shift 2 ;;
        --jobs) jobs=$2; shift 2 ;;
        --check) check=1; shift ;;
        *) echo "usage: $0 [--list FILE] [--only NAME]... [--build-dir DIR] [--jobs N] [--check]" >&2; exit 2 ;;
    esac
done
[[ -f $list ]] || { echo "mutants: no fault list $list" >&2; exit 2; }

# The list's records and the planting of one fault, in Python: texts with any character stay exact.
tool() {
    python3 - "$@" <<'PY'
import os, sys

def records(path):
    recs, rec, key = [], {}, None
    for raw in open(path, encoding="utf-8").read().split("\n"):
        if raw.startswith("#"):
            continue
        if not raw.strip():
            if rec:
                recs.append(rec)
            rec, key = {}, None
            continue
        if raw.startswith("|") and key:
            rec[key] += "\n" + raw[1:]
            continue
        key, _, value = raw.partition(":")
        key = key.strip()
        rec[key] = value[1:] if value.startswith(" ") else value
    if rec:
        recs.append(rec)
    return recs

cmd = sys.argv[1]
if cmd == "names":
    for r in records(sys.argv[2]):
        missing = [k for k in ("name", "file", "find", "replace", "breaks") if k not in r]
        if missing:
            sys.exit("mutants: a record lacks %s: %r" % (", ".join(missing), r))
        print(r["name"])
elif cmd == "field":
    for r in records(sys.argv[2]):
        if r["name"] == sys.argv[3]:
            print(r.get(sys.argv[4], ""))
elif cmd == "plant":
    r = next(r for r in records(sys.argv[2]) if r["name"] == sys.argv[3])
    text = open(r["file"], encoding="utf-8").read()
    n = text.count(r["find"])
    if n != 1:
        sys.exit("its text occurs %d times in %s" % (n, r["file"]))
    if len(sys.argv) > 4:
        tmp = r["file"] + ".mutant"
        with open(tmp, "w", encoding="utf-8") as f:
            f.write(text.replace(r["find"], r["replace"]))
        os.replace(tmp, r["file"])
PY
}

mapfile -t names < <(tool names "$list")
if ((${#only[@]})); then
    # grep reads the whole list (no -q): an early exit would kill printf with SIGPIPE, and pipefail
    # would then take a listed fault for a missing one.
    for n in "${only[@]}"; do
        printf '%s\n' "${names[@]}" | grep -xF -- "$n" >/dev/null || { echo "mutants: no fault $n" >&2; exit 2; }
    done
    names=("${only[@]}")
fi

if ((check)); then
    bad=0
    for n in "${names[@]}"; do
        if why=$(tool plant "$list" "$n" 2>&1); then echo "ok       $n"; else echo "INVALID  $n: $why"; bad=1; fi
    done
    exit $bad
fi

# Whatever happens, the file under a fault gets its own text back. The copy is written anew (not
# with its old time), so both build folders compile the restored file again.
backup=$(mktemp)
planted=""
restore() {
    if [[ -n $planted ]]; then
        cat "$backup" >"$planted"
        planted=""
    fi
}
trap 'restore; rm -f "$backup"' EXIT
trap 'restore; exit 130' INT
trap 'restore; exit 143' TERM

if [[ ! -f $build/build.ninja ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVR_WERROR=OFF -DVR_BUILD_GUI=OFF \
        -DVR_BUILD_BENCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache >/dev/null
fi
mkdir -p "$build/mutant-logs"

killed=() survived=() invalid=()
for n in "${names[@]}"; do
    file=$(tool field "$list" "$n" file)
    read -r -a labels <<<"$(tool field "$list" "$n" tests)"
    log=$build/mutant-logs/$n.log
    cp "$file" "$backup"
    planted=$file
    if ! why=$(tool plant "$list" "$n" yes 2>&1); then
        planted=""
        echo "INVALID   $n: $why"
        invalid+=("$n")
        continue
    fi
    # The test programs of the labels, and the programs they start; without labels everything.
    targets=(vr8200ctl vr8200-sim)
    for l in "${labels[@]}"; do targets+=("test_$l"); done
    ((${#labels[@]})) || targets=(all)
    if ! cmake --build "$build" -j "$jobs" --target "${targets[@]}" >"$log" 2>&1; then
        restore
        echo "INVALID   $n: it does not build (see $log)"
        invalid+=("$n")
        continue
    fi
    selector=()
    ((${#labels[@]})) && selector=(-L "^($(IFS='|'; echo "${labels[*]}"))\$")
    if ctest --test-dir "$build" "${selector[@]}" -j "$jobs" --timeout 900 --no-tests=error >>"$log" 2>&1; then
        echo "SURVIVED  $n: $(tool field "$list" "$n" breaks)"
        survived+=("$n")
    else
        echo "killed    $n ($(grep -c '\*\*\*Failed\|\*\*\*Timeout\|\*\*\*Exception' "$log") failed)"
        killed+=("$n")
    fi
    restore
done

total=${#names[@]}
echo "score: ${#killed[@]} of $total caught, ${#survived[@]} survived, ${#invalid[@]} could not be planted"
((${#survived[@]} == 0 && ${#invalid[@]} == 0))
