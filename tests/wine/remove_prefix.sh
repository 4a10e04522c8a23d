#!/bin/sh
# Stops the test prefix's wineserver and removes the prefix.
WINEPREFIX="$1" wineserver -k 2>/dev/null
rm -rf "$1"
