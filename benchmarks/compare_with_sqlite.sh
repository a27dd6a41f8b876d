#!/usr/bin/env bash
# Times `tockary` on generated collections side by side with `sqlite3` printing the same rows and
# columns (the list, the list narrowed by a search through the same text index, and the CSV export
# against `sqlite3 -csv` writing a file), and the desktop app's first frame, and prints the
# figures as a table of medians.
#
#   benchmarks/compare_with_sqlite.sh [-b BUILD] [--before DIR] [-n RUNS] [--pin CPU]
#
#   -b BUILD      the build folder to time (default: build)
#   --before DIR  also time an earlier build (its build folder, or a folder holding its tockary,
#                 tockary_generate_collection and tockary_app_first_frame) in the same run, on
#                 collections it generates itself, and compare its list output byte for byte
#   -n RUNS       runs of each command, alternating with its counterpart (default 7)
#   --pin CPU     run every timed command on that processor (taskset -c CPU)
#   --sizes "..." the collection sizes of the list rows (default "10000 100000")
#
# Every collection is the generator's (every tenth watch sold), with sold watches hidden, every
# display switch of the rows on and the brand-and-model order. Needs bash 5, GNU time
# (/usr/bin/time) and sqlite3. Exits 1 when an output of the earlier build differs.

set -euo pipefail

build=build
before=
runs=7
pin=
sizes="10000 100000"
while (($#)); do
  case "$1" in
    -b) build=$2; shift 2 ;;
    --before) before=$2; shift 2 ;;
    -n) runs=$2; shift 2 ;;
    --pin) pin=$2; shift 2 ;;
    --sizes) sizes=$2; shift 2 ;;
    -h | --help) sed -n '2,18p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "compare_with_sqlite.sh: unknown argument $1 (see --help)" >&2; exit 2 ;;
  esac
done

# The programs of a build: its build folder, or a folder holding them side by side.
program() {
  local dir=$1 name=$2
  for candidate in "$dir/apps/cli/$name" "$dir/benchmarks/$name" "$dir/$name"; do
    if [[ -x $candidate ]]; then
      echo "$candidate"
      return
    fi
  done
  echo ""
}

for tool in /usr/bin/time sqlite3; do
  command -v "$tool" >/dev/null || { echo "compare_with_sqlite.sh: $tool is needed" >&2; exit 2; }
done
tockary=$(program "$build" tockary)
generate=$(program "$build" tockary_generate_collection)
firstFrame=$(program "$build" tockary_app_first_frame)
[[ -n $tockary && -n $generate ]] || { echo "compare_with_sqlite.sh: no tockary in $build" >&2; exit 2; }
if [[ -n $before ]]; then
  oldTockary=$(program "$before" tockary)
  oldGenerate=$(program "$before" tockary_generate_collection)
  oldFirstFrame=$(program "$before" tockary_app_first_frame)
  [[ -n $oldTockary && -n $oldGenerate ]] ||
    { echo "compare_with_sqlite.sh: no tockary in $before" >&2; exit 2; }
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tockary-compare-XXXXXX")
trap 'rm -rf "$work"' EXIT
export TZ=UTC LC_ALL=C.UTF-8 QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export QT_QUICK_BACKEND=${QT_QUICK_BACKEND:-software}
pinned=()
[[ -n $pin ]] && pinned=(taskset -c "$pin")

# prepare GENERATOR TOCKARY COUNT DIR: a collection as every measurement here uses it.
prepare() {
  local generator=$1 cli=$2 count=$3 dir=$4
  mkdir -p "$dir"
  "$generator" "$dir" "$count"
  for key in hideSoldWatchesSettingOn wearRateSettingOn badgesSettingOn fadeSettingOn \
    dataIndicatorSettingOn ownershipSettingOn warrantyInfoSettingOn techDetailsSettingOn \
    dwrswrSettingOn; do
    "$cli" --data-dir "$dir" settings "$key" on >/dev/null
  done
  "$cli" --data-dir "$dir" sort "Brand and Model" >/dev/null
}

# once FILE COMMAND...: runs the command once, its output thrown away; appends its wall time in
# milliseconds and its peak resident memory in KiB to FILE.
once() {
  local file=$1
  shift
  local start=$EPOCHREALTIME
  /usr/bin/time -f %M -o "$work/peak" "${pinned[@]}" "$@" >/dev/null 2>"$work/stderr" || {
    echo "compare_with_sqlite.sh: failed: $*" >&2
    cat "$work/stderr" >&2
    exit 1
  }
  local end=$EPOCHREALTIME
  echo "$(((${end/./} - ${start/./}) / 1000)) $(tail -n 1 "$work/peak")" >>"$file"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column() { awk -v c="$2" '{ print $c }' "$1"; }
mib() { awk -v k="$1" 'BEGIN { printf "%.0f", k / 1024 }'; }

# pair NAME A-COMMAND -- B-COMMAND: RUNS alternating runs of each; sets the medians of A's and
# B's wall times, A's peak memory and the median of the pairwise ratios A/B.
pair() {
  local name=$1
  shift
  local a=() b=()
  while [[ $1 != -- ]]; do a+=("$1"); shift; done
  shift
  b=("$@")
  rm -f "$work/$name.a" "$work/$name.b"
  for ((i = 0; i < runs; ++i)); do
    once "$work/$name.a" "${a[@]}"
    once "$work/$name.b" "${b[@]}"
  done
  aMs=$(column "$work/$name.a" 1 | median)
  bMs=$(column "$work/$name.b" 1 | median)
  aPeak=$(mib "$(column "$work/$name.a" 2 | median)")
  ratio=$(paste -d' ' "$work/$name.a" "$work/$name.b" |
    awk '{ printf "%.4f\n", ($3 > 0 ? $1 / $3 : 0) }' | median)
  ratio=$(printf "%.2f" "$ratio")
}

listQuery="SELECT id, merkki, malli, vuosimalli, varasarake2, lugivali, varasarake4, varasarake5,
  ostopvm, myyntipvm, myyntihinta, takuupvm, kellokuva IS NOT NULL FROM Kello
  WHERE myyntiliike = '' ORDER BY merkki, malli, id"
store() { echo "$1/Ro_Rurav_Ozaruvuziz.sqlite"; }
# The list narrowed by a search of two words ("model 123": every watch's model holds the first,
# about one in 500 the second), through the same text index.
searchText="model 123"
searchQuery="SELECT id, merkki, malli, vuosimalli, varasarake2, lugivali, varasarake4, varasarake5,
  ostopvm, myyntipvm, myyntihinta, takuupvm, kellokuva IS NOT NULL FROM Kello
  WHERE myyntiliike = '' AND id IN (SELECT rowid FROM Kello_search
  WHERE Kello_search MATCH '\"model\" \"123\"') ORDER BY merkki, malli, id"
# The export's 35 columns, every watch, in its order; both sides write a file.
exportQuery="SELECT merkki, malli, vuosimalli, refkoodi, sarjanumero, koneistotyyppi, koneisto,
  powerreserve, bph, halkaisija, paksuus, varasarake1, lugivali, kuorenmateriaali,
  bezelmateriaali, tauluvari, lasi, kruunu, vedenpitavyys, komplikaatio1, komplikaatio2,
  komplikaatio3, komplikaatio4, komplikaatio5, komplikaatio6, ostoliike, ostohinta, myyntiliike,
  myyntihinta, ostopvm, myyntipvm, takuupvm, varasarake2, varasarake4, setlaajuus FROM Kello
  ORDER BY merkki, malli, id"

# measure LABEL TOCKARY DATA-ROOT: every row of the table for one build.
measure() {
  local label=$1 cli=$2 root=$3 frame=$4
  local rows=()
  for n in $sizes; do
    pair "$label-list-$n" "$cli" --data-dir "$root/$n" list -- sqlite3 "$(store "$root/$n")" "$listQuery"
    rows+=("| \`tockary list\`, $n watches, vs \`sqlite3\` | $ratio× ($aMs ms vs $bMs ms) | $aPeak MiB |")
  done
  local big=${sizes##* }
  pair "$label-json-$big" "$cli" --data-dir "$root/$big" --json list -- \
    sqlite3 -json "$(store "$root/$big")" "$listQuery"
  rows+=("| \`tockary --json list\`, $big watches, vs \`sqlite3 -json\` | $ratio× ($aMs ms vs $bMs ms) | $aPeak MiB |")
  if "$cli" list --help 2>/dev/null | grep -q -- --search; then
    pair "$label-search-$big" "$cli" --data-dir "$root/$big" list --search "$searchText" -- \
      sqlite3 "$(store "$root/$big")" "$searchQuery"
    rows+=("| \`tockary list --search \"$searchText\"\`, $big watches, vs \`sqlite3\` | $ratio× ($aMs ms vs $bMs ms) | $aPeak MiB |")
  else
    rows+=("| \`tockary list --search\`, $big watches, vs \`sqlite3\` | (no --search) | |")
  fi
  if "$cli" export-csv --help >/dev/null 2>&1; then
    pair "$label-export-$big" "$cli" --data-dir "$root/$big" export-csv -o "$work/export.csv" -- \
      sqlite3 -csv "$(store "$root/$big")" ".once $work/sqlite.csv" "$exportQuery"
    rows+=("| \`tockary export-csv\`, $big watches, vs \`sqlite3 -csv\` | $ratio× ($aMs ms vs $bMs ms) | $aPeak MiB |")
  else
    rows+=("| \`tockary export-csv\`, $big watches, vs \`sqlite3 -csv\` | (no export-csv) | |")
  fi
  # Watch 2 is listed (watch 1 is sold) in every generated collection.
  pair "$label-show" "$cli" --data-dir "$root/$big" show 2 -- "$cli" --data-dir "$root/1000" show 2
  rows+=("| \`tockary show 2\`, $big vs 1000 watches | $ratio× ($aMs ms vs $bMs ms) | $aPeak MiB |")
  pair "$label-status" "$cli" --data-dir "$root/$big" status 2 Keeper -- \
    "$cli" --data-dir "$root/1000" status 2 Keeper
  rows+=("| \`tockary status 2 Keeper\`, $big vs 1000 watches | $ratio× ($aMs ms vs $bMs ms) | $aPeak MiB |")
  pair "$label-delete" "$cli" --data-dir "$root/$big" delete 2 -- "$cli" --data-dir "$root/1000" delete 2
  rows+=("| \`tockary delete 2\` (the sheet only), $big vs 1000 watches | $ratio× ($aMs ms vs $bMs ms) | $aPeak MiB |")
  if [[ -n $frame ]]; then
    rm -f "$work/$label-frame.a" "$work/$label-frame.b" "$work/$label-frame.peak"
    for ((i = 0; i < runs; ++i)); do
      "${pinned[@]}" /usr/bin/time -f %M -o "$work/peak" "$frame" "$root/$big" 2>/dev/null |
        sed -n 's/^first frame: \([0-9.]*\) ms.*/\1/p' >>"$work/$label-frame.a"
      tail -n 1 "$work/peak" >>"$work/$label-frame.peak"
      "${pinned[@]}" "$frame" "$root/empty" 2>/dev/null |
        sed -n 's/^first frame: \([0-9.]*\) ms.*/\1/p' >>"$work/$label-frame.b"
    done
    local frameMs emptyMs
    frameMs=$(median <"$work/$label-frame.a")
    emptyMs=$(median <"$work/$label-frame.b")
    rows+=("| the app's first frame, $big watches | $frameMs ms ($(awk -v a="$frameMs" -v b="$emptyMs" 'BEGIN { printf "%.1f", a / b }')× an empty store, $emptyMs ms) | $(mib "$(median <"$work/$label-frame.peak")") MiB |")
  fi
  printf '%s\n' "${rows[@]}" >"$work/$label.rows"
}

# build LABEL GENERATOR TOCKARY: the collections of one build, under $work/LABEL.
collections() {
  local label=$1 generator=$2 cli=$3
  for n in 1000 $sizes; do prepare "$generator" "$cli" "$n" "$work/$label/$n"; done
  mkdir -p "$work/$label/empty"
}

echo "Machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)," \
  "$(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo); $runs runs of each," \
  "medians${pin:+, pinned to processor $pin}; $(date -u '+%Y-%m-%d %H:%M UTC')"

collections after "$generate" "$tockary"
[[ -n $before ]] && collections before "$oldGenerate" "$oldTockary"

status=0
if [[ -n $before ]]; then
  # Same collection, same settings: the two builds must print the same bytes.
  for n in $sizes; do
    for json in "" --json; do
      "$oldTockary" --data-dir "$work/before/$n" $json list >"$work/old.out"
      "$tockary" --data-dir "$work/after/$n" $json list >"$work/new.out"
      if cmp -s "$work/old.out" "$work/new.out"; then
        echo "tockary ${json:+$json }list, $n watches: the same $(wc -c <"$work/new.out") bytes before and after"
      else
        echo "tockary ${json:+$json }list, $n watches: DIFFERENT output before and after:"
        diff "$work/old.out" "$work/new.out" | head -n 10
        status=1
      fi
    done
  done
fi

measure after "$tockary" "$work/after" "$firstFrame"
[[ -n $before ]] && measure before "$oldTockary" "$work/before" "$oldFirstFrame"

echo
if [[ -n $before ]]; then
  echo "| work | before | peak before | after | peak after |"
  echo "|---|---|---|---|---|"
  paste -d'|' "$work/before.rows" "$work/after.rows" |
    awk -F'|' '{ printf "|%s|%s|%s|%s|%s|\n", $2, $3, $4, $8, $9 }'
else
  echo "| work | figure | peak memory |"
  echo "|---|---|---|"
  cat "$work/after.rows"
fi
exit $status
