#!/bin/sh
# The whole-run benchmark: zeb with three reports (file, JAM, Squish) that walk
# every node and file, against `find` listing the same tree (the floor), on
# generated outbounds; medians of RUNS runs, interleaved, in one run.
# Usage: bench/run.sh [SIZE...]   (default: small hub; huge takes a while)
# Environment: ZEB (the program, default build-bench/zeb), RUNS (default 5),
#              TREES (where trees are generated, default /tmp/zeb-bench).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
zeb=${ZEB:-$here/../build-bench/zeb}
runs=${RUNS:-5}
trees=${TREES:-/tmp/zeb-bench}
[ $# -gt 0 ] || set -- small hub
mkdir -p "$trees"

now_ns() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ms() { awk -v ns="$1" 'BEGIN { printf "%.1f", ns / 1e6 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
# spread <NS: the fastest and the slowest of the runs, in ms.
spread() { sort -n | awk '{ v[NR] = $1 } END { printf "%.1f-%.1f", v[1] / 1e6, v[NR] / 1e6 }'; }

# time_ns COMMAND...: the wall time of one run in nanoseconds.
time_ns() {
  t0=$(now_ns)
  "$@" >/dev/null 2>&1 || true
  echo $(($(now_ns) - t0))
}

# The machine and how busy it is: figures of a shared machine are only
# comparable with the load they were taken under.
load() { cut -d' ' -f1-3 /proc/loadavg; }
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(uname -sr)"
echo "program: $zeb"
echo "runs: $runs (medians), load average at the start: $(load)"
printf '%-6s %8s %9s %9s %7s %13s %7s %9s %10s\n' size nodes files find_ms zeb_ms zeb_min-max ratio peak_kb bytes/file
for size in "$@"; do
  tree=$trees/$size
  [ -f "$tree/zeb.ctl" ] || "$here/gen_outbound" "$size" "$tree" >/dev/null
  files=$(find "$tree/out" "$tree/out.001" "$tree/out.003" "$tree/store" "$tree/boxes" "$tree/tmail" -type f | wc -l)
  find "$tree" -printf '' # warm the cache
  : >"$tree/find.ns"; : >"$tree/zeb.ns"
  i=0
  while [ $i -lt "$runs" ]; do
    rm -rf "$tree/bases"; mkdir "$tree/bases"
    time_ns find "$tree/out" "$tree/out.001" "$tree/out.003" "$tree/store" "$tree/boxes" "$tree/tmail" \
      -printf '%s %T@ %p\n' >>"$tree/find.ns"
    time_ns "$zeb" /c "$tree/zeb.ctl" >>"$tree/zeb.ns"
    i=$((i + 1))
  done
  rm -rf "$tree/bases"; mkdir "$tree/bases"
  peak=$(/usr/bin/time -v "$zeb" /c "$tree/zeb.ctl" 2>&1 >/dev/null | awk -F: '/Maximum resident/ { print $2 + 0 }')
  nodes=$(grep -a -m1 -o 'Outbound queue: [0-9]*' "$tree/report.txt" | grep -o '[0-9]*$' || echo ?)
  f=$(median <"$tree/find.ns"); z=$(median <"$tree/zeb.ns")
  printf '%-6s %8s %9s %9s %7s %13s %7s %9s %10s\n' "$size" "$nodes" "$files" "$(ms "$f")" "$(ms "$z")" \
    "$(spread <"$tree/zeb.ns")" "$(ratio "$z" "$f")" "$peak" "$(awk -v k="$peak" -v n="$files" 'BEGIN { printf "%.0f", k * 1024 / n }')"
  eval "zeb_$size=$z"
done
if [ -n "${zeb_hub:-}" ] && [ -n "${zeb_huge:-}" ]; then
  echo "huge/hub zeb time: $(ratio "$zeb_huge" "$zeb_hub")"
fi

# The empty run: a log and one file report, nothing to scan, against `zeb /?`.
tree=$trees/small
: >"$tree/empty.ns"; : >"$tree/help.ns"
i=0
while [ $i -lt $((runs * 4)) ]; do
  time_ns "$zeb" /c "$tree/empty.ctl" >>"$tree/empty.ns"
  time_ns "$zeb" /? >>"$tree/help.ns"
  i=$((i + 1))
done
e=$(median <"$tree/empty.ns"); h=$(median <"$tree/help.ns")
echo "empty run: $(ms "$e") ms, zeb /?: $(ms "$h") ms, ratio $(ratio "$e" "$h")"
echo "load average at the end: $(load)"
