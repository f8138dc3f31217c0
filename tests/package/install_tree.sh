#!/bin/sh
# Installs the build tree into a scratch DESTDIR, checks that the program,
# the manual pages and the examples land where they belong, and runs the
# installed zeb with /? to see its help text.
# Then the newcomer's path: the installed example configuration, run by the
# installed zeb over a sample outbound made by the installed
# make_outbound.sh, shows the same report as the zeb of the build tree.
# Both trees, PREFIX /usr and /usr/local: the scheduling examples run the
# installed program and their units pass systemd-analyze as installed; the
# /usr/local zeb finds its configuration in /usr/local/etc/zeb.
# Arguments: the cmake executable and the build directory.
set -eu
cmake=$1
build=$2

dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT

DESTDIR="$dest" "$cmake" --install "$build" --prefix /usr >"$dest/install.log"

fail() {
  echo "$*"
  exit 1
}

for file in usr/bin/zeb \
            usr/share/man/man1/zeb.1 \
            usr/share/man/man5/zeb.ctl.5 \
            usr/share/man/man7/zeb-template.7 \
            usr/share/doc/zeb/examples/zeb.ctl; do
  [ -f "$dest/$file" ] || fail "not installed: /$file"
done
[ -x "$dest/usr/bin/zeb" ] || fail "/usr/bin/zeb is not executable"
[ "$(ls "$dest/usr/bin")" = "zeb" ] || fail "unexpected programs in /usr/bin: $(ls "$dest/usr/bin")"

# Run from / so that nothing of the build or source tree can be found by
# accident; the help reads no configuration.
rc=0
(cd / && NO_COLOR=1 LC_ALL=C "$dest/usr/bin/zeb" /?) >"$dest/help.out" 2>&1 || rc=$?
[ "$rc" -eq 0 ] || fail "installed zeb /? exited with $rc"

[ "$(head -n 1 "$dest/help.out")" = " Zebrant (Win32) Version 3.05" ] ||
  fail "unexpected banner: $(head -n 1 "$dest/help.out")"

cat >"$dest/help.expected" <<'HELP'

The following keys are supported:
/h, /hlp, /help or /?   - display this message
/lX  (X=0..4)           - define log level, 0-lower, 4-highest
/c, /cfg, /config       - the next parameter is alternativ config
/a, /addcfg             - the next parameter is additional config
/d                      - work in debug mode
--config, --addcfg      - the long forms of /c and /a
--help, --version       - this message; the program's version
/q, -q, --quiet         - print only errors and reports to con
/da                     - trace every directory test of the scan
--check                 - make every report and tell how it went; store nothing, write no log
--dry-run               - as --check, and show each report's text

HELP
tail -n 14 "$dest/help.out" >"$dest/help.tail"
if ! cmp -s "$dest/help.expected" "$dest/help.tail"; then
  echo "the installed zeb /? did not print the help text:"
  cat "$dest/help.out"
  exit 1
fi
[ "$(wc -l <"$dest/help.out")" -eq 17 ] || fail "more than banner and help printed: $(cat "$dest/help.out")"

examples=$dest/usr/share/doc/zeb/examples
for file in queue.tpl alert.tpl files.tpl busy.tpl queue.json.tpl queue.prom.tpl make_outbound.sh \
            zeb.service zeb.timer zeb.cron; do
  [ -f "$examples/$file" ] || fail "not installed: $examples/$file"
done
sh "$examples/make_outbound.sh" "$examples/outbound"
# Both runs in the same minute, so that the ages they show agree.
while [ "$(date +%S)" -gt 50 ]; do sleep 1; done
report() {
  mkdir -p "$dest/$2"
  (cd / && NO_COLOR=1 LC_ALL=C ZEB_EXAMPLES="$examples" ZEB_MSGBASE="$dest/$2" "$1" /c "$examples/zeb.ctl") |
    grep -av 'Available free memory' >"$dest/$2.out"
}
report "$build/zeb" built
report "$dest/usr/bin/zeb" installed
grep -q 'Outbound queue of 2:5020/9999' "$dest/installed.out" || fail "no report from the installed example: $(cat "$dest/installed.out")"
grep -q 'Error' "$dest/installed.out" && fail "errors in the installed example run: $(cat "$dest/installed.out")"
cmp -s "$dest/built.out" "$dest/installed.out" || fail "the installed zeb reports otherwise: $(diff "$dest/built.out" "$dest/installed.out")"
for base in queue.jam.jhr queue.jam.jdt queue.sq.sqd; do
  [ -s "$dest/installed/$base" ] || fail "the installed example posted no $base"
done
units() {
  sh "$(dirname "$0")/verify_units.sh" "$1/share/doc/zeb/examples" "${1#"$2"}/bin/zeb" "$2" || [ $? -eq 77 ]
}
units "$dest/usr" "$dest"
local=$dest/local
DESTDIR="$local" "$cmake" --install "$build" --prefix /usr/local >"$dest/install-local.log"
units "$local/usr/local" "$local"
if [ ! -e /etc/zeb/zeb.ctl ]; then
  rc=0
  (cd / && NO_COLOR=1 "$local/usr/local/bin/zeb") >"$dest/default.out" 2>&1 || rc=$?
  grep -qF "not found at $local/usr/local/bin/zeb.ctl, $local/usr/local/etc/zeb/zeb.ctl or /etc/zeb/zeb.ctl" \
    "$dest/default.out" && [ "$rc" -eq 1 ] || fail "no default configuration: exit $rc, $(cat "$dest/default.out")"
fi
mkdir -p "$local/usr/local/etc/zeb" "$dest/local-base"
cp "$examples/zeb.ctl" "$local/usr/local/etc/zeb/zeb.ctl"
(cd / && NO_COLOR=1 ZEB_EXAMPLES="$examples" ZEB_MSGBASE="$dest/local-base" "$local/usr/local/bin/zeb") |
  grep -q 'Outbound queue of 2:5020/9999' || fail "the /usr/local zeb did not read /usr/local/etc/zeb/zeb.ctl"
echo "installed into $dest: program, manual pages, examples; zeb /? shows the help; the example report is the same"
