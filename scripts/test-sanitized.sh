#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build/sanitize/ and runs the native tests there: all but those under wine (label "windows") and the
# fuzz targets, which bench/fuzz.sh builds with the sanitizers of their own. A finding ends the test that
# made it with a failure. Arguments go to ctest (for example -R Hive).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
# -O1 and line tables only: the sanitizers' reports keep their file and line, the build takes less time.
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
    -DKVL_SANITIZE=address,undefined -DKVL_WERROR=ON >/dev/null
cmake --build build/sanitize -j"$(nproc)"
cd build/sanitize
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure --timeout 900 -LE "windows|fuzz" "$@"
echo "Sanitizers (address, undefined): no findings"
