#!/bin/sh
# Builds bench/fuzz/<name>_fuzzer.cpp with libFuzzer and the sanitizers, linked with the platform
# layer's sources (no Qt), and runs it for the given number of seconds on its own corpus. A finding
# ends it with a failure and leaves the input that caused it beside the corpus.
# Usage: bench/fuzz.sh <name> <seconds>   (build folder: $FUZZ_BUILD_DIR, default build/fuzz)
set -e
name=$1
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
out=${FUZZ_BUILD_DIR:-$root/build/fuzz}
fuzzer=$out/${name}_fuzzer
mkdir -p "$out/$name-corpus"
# Built again only when a source changed since.
if [ ! -x "$fuzzer" ] || [ -n "$(find "$root/src/platform" "$root/bench/fuzz" -newer "$fuzzer" -type f)" ]; then
    compiler=clang++-14
    command -v ccache >/dev/null && compiler="ccache clang++-14"
    $compiler -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$root/src" -o "$fuzzer" "$root/bench/fuzz/${name}_fuzzer.cpp" \
        "$root"/src/platform/*.cpp "$root"/src/platform/wine/*.cpp
fi
cd "$out"
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$name-corpus"
