#!/bin/sh
# Makes a fresh throw-away Wine prefix for one test run and waits until Wine has written it out.
set -e
prefix=$1
rm -rf "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all
log=$(wineboot -i 2>&1) || { echo "$log"; echo "wineboot -i failed"; exit 1; }
wineserver -w
test -f "$prefix/system.reg"
