#!/bin/sh
# Prints the Debian architecture of the crashmail and jamnntpd builds that the
# interop check uses. Debian's amd64 builds misread JAM bases, so on amd64 the
# i386 builds are used where the kernel runs 32-bit programs; elsewhere, and
# where it does not, the machine's own builds. ZEB_INTEROP_32BIT=no forces the
# machine's own builds, ZEB_INTEROP_32BIT=yes the i386 ones.
# Usage: peer_arch.sh SCRATCH-DIR   (a directory where a file may be run)
arch=$(dpkg --print-architecture 2>/dev/null || uname -m)
case ${ZEB_INTEROP_32BIT:-} in
  no) echo "$arch"; exit 0 ;;
  yes) echo i386; exit 0 ;;
esac
if [ "$arch" != amd64 ]; then echo "$arch"; exit 0; fi
# The smallest i386 program: one ELF header, one loaded segment, and code
# that exits with status 42. A kernel without 32-bit support refuses it
# ("Exec format error").
probe="$1/zeb-i386-probe"
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >>"$probe"
printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$probe"
printf '\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000' >>"$probe"
printf '\270\001\000\000\000\273\052\000\000\000\315\200' >>"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
status=$?
rm -f "$probe"
if [ "$status" -eq 42 ]; then echo i386; else echo amd64; fi
