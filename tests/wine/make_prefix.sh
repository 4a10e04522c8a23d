#!/bin/sh
# Makes a fresh throw-away Wine prefix for one test run and waits until Wine has written it out.
set -e
prefix=$1
rm -rf "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all
wineboot -i >/dev/null 2>&1
wineserver -w
test -f "$prefix/system.reg"
