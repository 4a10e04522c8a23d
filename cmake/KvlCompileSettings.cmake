# The compile settings every target of the project is built with, native and mingw-w64 alike: the
# warnings reviewers look for. Warnings stop the build with KVL_WERROR (on in run-tests.sh and CI); it
# stays off by default so that a newer compiler's new warnings do not break a build of the package.
option(KVL_WERROR "Treat compiler warnings as errors" OFF)
# Sanitizers for the native build and its tests, e.g. address,undefined (scripts/test-sanitized.sh).
set(KVL_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined")

add_library(kvl_compile_settings INTERFACE)
target_compile_options(kvl_compile_settings INTERFACE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wpedantic $<$<BOOL:${KVL_WERROR}>:-Werror>)
# g++ 12 at -O3 (the Release build, as the Windows program is built) warns falsely about overlapping
# copies inside std::string's operator+ (GCC bug 105329) wherever a literal is put before a string.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(kvl_compile_settings INTERFACE $<$<CONFIG:Release>:-Wno-restrict>)
endif()
if(KVL_SANITIZE)
    # A finding ends the process that made it: a report alone would let its test pass.
    set(sanitize -fsanitize=${KVL_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    # The sanitizers' checks confuse g++'s flow analysis into false warnings in the standard library's
    # own headers ("may be used uninitialized" in <regex>, the overlapping copies above in <string>); the
    # plain build keeps both warnings.
    target_compile_options(kvl_compile_settings INTERFACE ${sanitize} -Wno-maybe-uninitialized -Wno-restrict)
    target_link_options(kvl_compile_settings INTERFACE ${sanitize})
endif()

# The program's own Qt code converts no 8-bit string to QString unasked: the host's texts are code page
# 1252, not the UTF-8 Qt would assume, so each conversion names its encoding. The tests are left out:
# their literals are the UTF-8 texts they compare against, which is what the implicit conversion reads.
add_library(kvl_program_settings INTERFACE)
target_link_libraries(kvl_program_settings INTERFACE kvl_compile_settings)
target_compile_definitions(kvl_program_settings INTERFACE QT_NO_CAST_FROM_ASCII)
