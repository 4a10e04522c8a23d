#!/bin/sh
# The manifest linked into the Windows program: version 6 of the common controls, per-monitor DPI
# awareness (version 2, with the per-monitor fallback of older systems), and no execution level.
# Usage: manifest_test.sh <program .exe>
set -eu
manifest=$(strings -n 8 "$1" | sed -n '/<assembly /,/<\/assembly>/p')
failures=0
expect() { # <what> <pattern>
    if printf '%s\n' "$manifest" | grep -q -- "$2"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}
expect "common controls 6" 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'
expect "per-monitor DPI awareness v2" '<dpiAwareness [^>]*>PerMonitorV2[,<]'
expect "per-monitor fallback" '<dpiAware [^>]*>true/pm<'
if printf '%s\n' "$manifest" | grep -q requestedExecutionLevel; then
    echo "FAIL: an execution level"
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
