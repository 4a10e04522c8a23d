#!/bin/sh
# Cross-builds for Windows: the platform contract suite with the Windows backend and the profile probe
# that runs requests through the Win32 profile API; given the static Qt for Windows as third argument,
# also the program, its tests and the start-up benchmark's two programs. KVL_WERROR=ON in the environment
# makes the compiler's warnings errors, as in the native build.
set -e
source_dir=$1
binary_dir=$2
qt=${3:-}
targets=kvl_platform_contract
with_qt=
if [ -n "$qt" ]; then
    targets="$targets kvl-settings-editor kvl_windows_tests bench_editor_window bench_bare_window"
    with_qt="-DCMAKE_PREFIX_PATH=$qt -DQT_HOST_PATH=/usr
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
fi
# shellcheck disable=SC2086 # $with_qt is a list of options
cmake -S "$source_dir" -B "$binary_dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-w64.cmake" -DKVL_WERROR="${KVL_WERROR:-OFF}" $with_qt >/dev/null
# shellcheck disable=SC2086
cmake --build "$binary_dir" -j"$(nproc)" --target $targets
probe="$binary_dir/profile_probe.exe"
probe_source="$source_dir/tests/wine/probe/profile_probe.cpp"
if [ ! -f "$probe" ] || [ "$probe_source" -nt "$probe" ]; then
    x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -static -o "$probe" "$probe_source"
fi
