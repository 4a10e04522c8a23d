# The Windows program: a GUI executable that needs nothing beside it but its settings.ini.
string(REPLACE "." ";" KVL_VERSION_PARTS ${KVL_VERSION})
list(GET KVL_VERSION_PARTS 0 major)
list(GET KVL_VERSION_PARTS 1 minor)
math(EXPR minor "${minor}") # "03" is 3 in a Windows version number
set(KVL_VERSION_COMMAS "${major},${minor},0,0")
set(KVL_WINDOWS_RESOURCES ${PROJECT_SOURCE_DIR}/packaging/windows)
configure_file(${KVL_WINDOWS_RESOURCES}/kvl-settings-editor.rc.in kvl-settings-editor.rc @ONLY)

target_sources(kvl-settings-editor PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/kvl-settings-editor.rc)
set_target_properties(kvl-settings-editor PROPERTIES WIN32_EXECUTABLE ON)
target_link_options(kvl-settings-editor PRIVATE -static -s)
# The resource compiler reads these files through the .rc; without this a changed manifest or icon would
# leave an .exe built with the old one.
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/kvl-settings-editor.rc PROPERTIES OBJECT_DEPENDS
    "${KVL_WINDOWS_RESOURCES}/kvl-settings-editor.manifest;${KVL_WINDOWS_RESOURCES}/kvl-settings-editor.ico")
