#!/bin/sh
# Formats every manual page given as an argument with groff, for the
# typesetter and for a UTF-8 terminal, and fails on the first warning.
# Exits 77 (skipped) when groff is not installed.
set -u

if ! command -v groff >/dev/null 2>&1; then
  echo "groff is not installed: manual pages not checked"
  exit 77
fi
if [ $# -eq 0 ]; then
  echo "no manual pages found"
  exit 1
fi

status=0
for page in "$@"; do
  for device in -z -Tutf8; do
    warnings=$(groff -man -ww "$device" "$page" 2>&1 >/dev/null)
    rc=$?
    if [ $rc -ne 0 ] || [ -n "$warnings" ]; then
      echo "$page ($device): groff exit $rc"
      [ -n "$warnings" ] && echo "$warnings"
      status=1
    fi
  done
done
exit $status
