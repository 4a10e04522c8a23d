#!/bin/sh
# Cross-builds the platform contract suite with the Windows backend, and the profile probe that
# runs requests through the Win32 profile API. Only these targets: googletest and the platform layer.
set -e
source_dir=$1
binary_dir=$2
cmake -S "$source_dir" -B "$binary_dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$binary_dir" -j2 --target kvl_platform_contract
probe="$binary_dir/profile_probe.exe"
probe_source="$source_dir/tests/wine/probe/profile_probe.cpp"
if [ ! -f "$probe" ] || [ "$probe_source" -nt "$probe" ]; then
    x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -static -o "$probe" "$probe_source"
fi
