# The registry agent (agent/), cross-built with mingw-w64 by a build of its own and put beside the
# program as kvl-registry-agent.exe; KvlInstall installs it into lib/kvl-settings-editor/, where the
# installed program looks for it. Without mingw-w64 the program reaches a running Wine server through
# Wine's registry tool alone.
find_program(KVL_AGENT_CXX x86_64-w64-mingw32-g++-posix)
if(NOT KVL_AGENT_CXX)
    message(STATUS "mingw-w64 missing: no registry agent, Wine's registry tool serves a running server")
    return()
endif()

include(ExternalProject)
set(KVL_REGISTRY_AGENT ${CMAKE_BINARY_DIR}/kvl-registry-agent.exe)
ExternalProject_Add(kvl_registry_agent
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/registry-agent
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
               -DKVL_REGISTRY_AGENT_ONLY=ON -DKVL_WERROR=${KVL_WERROR}
               -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target kvl-registry-agent
    INSTALL_COMMAND ${CMAKE_COMMAND} -E copy_if_different <BINARY_DIR>/kvl-registry-agent.exe ${KVL_REGISTRY_AGENT}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${KVL_REGISTRY_AGENT})
add_dependencies(kvl-settings-editor kvl_registry_agent)
install(PROGRAMS ${KVL_REGISTRY_AGENT} DESTINATION lib/kvl-settings-editor)
