#!/bin/sh
# Checks the scheduling examples: systemd-analyze verify on zeb.service and
# zeb.timer (with ExecStart pointed at the zeb of the build tree, which must
# exist), failing on any complaint, and the cron line running the same
# command as the service. Exits 77 (skipped) without systemd-analyze.
# Arguments: the examples directory and the zeb executable; for an installed
# tree, its examples directory, the program's installed path and the
# DESTDIR: the units must run that path and are verified as installed, with
# DESTDIR as the root.
set -eu
examples=$1
zeb=$2
root=${3:-}

fail() {
  echo "$*"
  exit 1
}

command=$(sed -n 's/^ExecStart=//p' "$examples/zeb.service")
cron=$(grep -v '^#' "$examples/zeb.cron" | grep -v '=' | grep .)
[ "$(echo "$cron" | wc -l)" -eq 1 ] || fail "zeb.cron holds more than one schedule line: $cron"
# minute hour day month weekday user command
[ "$(echo "$cron" | awk '{ $1 = $2 = $3 = $4 = $5 = $6 = ""; sub(/^ +/, ""); print }')" = "$command" ] ||
  fail "zeb.cron runs otherwise than zeb.service: $cron"
[ "$(echo "$cron" | awk '{ print $6 }')" = "$(sed -n 's/^User=//p' "$examples/zeb.service")" ] ||
  fail "zeb.cron runs as another user than zeb.service"

if ! command -v systemd-analyze >/dev/null 2>&1; then
  echo "systemd-analyze is not installed: units not verified"
  exit 77
fi
rc=0
if [ -n "$root" ]; then
  [ "${command%% *}" = "$zeb" ] || fail "the installed zeb.service runs $command, not $zeb"
  mkdir -p "$root/etc/systemd/system" "$root/usr/lib/systemd"
  cp "$examples/zeb.service" "$examples/zeb.timer" "$root/etc/systemd/system/"
  cp -r /usr/lib/systemd/system "$root/usr/lib/systemd/"
  complaints=$(systemd-analyze verify --man=no --root="$root" /etc/systemd/system/zeb.service \
    /etc/systemd/system/zeb.timer 2>&1) || rc=$?
else
  dir=$(mktemp -d)
  trap 'rm -rf "$dir"' EXIT
  sed "s|^ExecStart=/usr/bin/zeb |ExecStart=$zeb |" "$examples/zeb.service" >"$dir/zeb.service"
  cp "$examples/zeb.timer" "$dir/zeb.timer"
  complaints=$(systemd-analyze verify --man=no "$dir/zeb.service" "$dir/zeb.timer" 2>&1) || rc=$?
fi
[ "$rc" -eq 0 ] && [ -z "$complaints" ] || fail "systemd-analyze verify (exit $rc): $complaints"
echo "zeb.service and zeb.timer verified; zeb.cron runs the same command"
