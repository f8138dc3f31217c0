#!/bin/sh
# Builds the sample outbound that zeb.ctl names: binkd's BinkleyTerm-style
# outbound of 2:5020/9999 with netmail, echomail bundles, files, a file
# request, a point directory, an fsxnet zone and a file box. Sizes are fixed;
# file times are set relative to now, so every run shows the same ages, or
# relative to NOW (a local date and time such as "2026-12-07 12:00:00") when
# it is given: the tests fix zeb's clock to the same moment.
# Usage: make_outbound.sh [DIR [NOW]]   (DIR defaults to outbound/ beside this script)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=${1:-$here/outbound}
if [ -n "${2:-}" ]; then now=$(date -d "$2" +%s); else now=$(date +%s); fi

rm -rf "$root"
mkdir -p "$root/out/139c270f.pnt" "$root/fsxnet" "$root/bundles" "$root/files" "$root/boxes/point1"

# file SIZE AGE-IN-MINUTES PATH: a file of that size, that old.
file() {
  head -c "$1" /dev/zero | tr '\0' 'z' >"$3"
  touch -d "@$((now - $2 * 60))" "$3"
}
# list AGE-IN-MINUTES PATH LISTED...: a list file naming the files to send.
list() {
  age=$1 path=$2
  shift 2
  : >"$path"
  for f in "$@"; do printf '%s\n' "$f" >>"$path"; done
  touch -d "@$((now - age * 60))" "$path"
}

day=1440
# 2:5020/1 — crash netmail and a file request.
file 3214 95 "$root/out/139c0001.cut"
file 58 $((2 * day + 130)) "$root/out/139c0001.req"
# 2:5020/100 — normal netmail and echomail bundles of three days.
file 1530 $((day + 400)) "$root/out/139c0064.out"
file 48211 $((3 * day + 245)) "$root/bundles/139c0064.mo0"
file 22640 $((2 * day + 61)) "$root/bundles/139c0064.tu1"
file 9702 300 "$root/bundles/139c0064.we2"
list $((3 * day + 250)) "$root/out/139c0064.flo" \
  "^$root/bundles/139c0064.mo0" "^$root/bundles/139c0064.tu1" "^$root/bundles/139c0064.we2"
# 2:5020/200 — a nodelist on hold for fifteen days, and a TIC with it.
file 181204 $((15 * day + 20)) "$root/files/nodelist.z51"
file 412 $((15 * day + 20)) "$root/files/zeb00001.tic"
list $((15 * day + 21)) "$root/out/139c00c8.hlo" "$root/files/nodelist.z51" "$root/files/zeb00001.tic"
# 2:5020/9999.2 — a point of this node with direct netmail.
file 2048 45 "$root/out/139c270f.pnt/00000002.dut"
# 21:4/10 in fsxnet — immediate netmail.
file 880 12 "$root/fsxnet/0004000a.iut"
# The file box of point 1, which the reports leave out.
file 5120 600 "$root/boxes/point1/139c270f.we0"
# binkd is calling 2:5020/1 right now: its busy flag.
file 0 3 "$root/out/139c0001.bsy"
# binkd holds 2:5020/200 for three more days (a Unix time in the .hld) and
# failed to reach 2:5020/100 three times (good and failed sessions as 16-bit
# little-endian counts, then the length and the text of the last error).
printf '%s\n' "$((now + 3 * day * 60))" >"$root/out/139c00c8.hld"
printf '\000\000\003\000\021connect timed out' >"$root/out/139c0064.try"
touch -d "@$((now - 30 * 60))" "$root/out/139c00c8.hld" "$root/out/139c0064.try"
