#!/usr/bin/env bash
# Runs clang-tidy (Debian's clang-tidy-14) with the checks of .clang-tidy over the program's sources as
# the native build compiles them (build/compile_commands.json; scripts/build.sh makes it), or over the
# files given. Any finding fails the run. The Windows backend (src/platform/win32/) is compiled only by
# the cross build and is not checked here.
set -euo pipefail
cd "$(dirname "$0")/.."
database=build/compile_commands.json
if [ ! -f "$database" ]; then
    echo "No $database: build first (scripts/build.sh)" >&2
    exit 1
fi
if [ $# -gt 0 ]; then
    files=("$@")
else
    mapfile -t files < <(find main.cpp src -name '*.cpp' ! -path 'src/platform/win32/*' | sort)
fi
echo "clang-tidy: ${#files[@]} files, checks: $(clang-tidy-14 --list-checks | tail -n +2 | wc -l)"
# One process per file, as many at once as there are cores; each prints its findings.
printf '%s\0' "${files[@]}" |
    xargs -0 -n 1 -P "$(nproc)" clang-tidy-14 -p build --quiet 2> >(grep -v "warnings\? \(and [0-9]* errors\? \)\?generated" >&2)
echo "clang-tidy: no findings"
