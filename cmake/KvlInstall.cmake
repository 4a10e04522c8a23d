# Installs the program as a Linux desktop program (menu entry, icons, AppStream metadata) and makes a
# Debian package of it with `cpack -G DEB`.

include(GNUInstallDirs)

set(KVL_APP_ID org.example.KvlSettingsEditor) # the desktop entry's name, also set by the program

# Packaging needs only the program: without this, cpack would first build every test and benchmark.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS kvl-settings-editor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/${KVL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(packaging/${KVL_APP_ID}.metainfo.xml.in ${KVL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${KVL_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(KVL_ICON_FOLDER ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size 16 24 32 48 64 128 256)
    install(FILES packaging/icons/${size}x${size}.png
        DESTINATION ${KVL_ICON_FOLDER}/${size}x${size}/apps RENAME ${KVL_APP_ID}.png)
endforeach()
install(FILES assets/images/logo.svg DESTINATION ${KVL_ICON_FOLDER}/scalable/apps RENAME ${KVL_APP_ID}.svg)

set(CPACK_PACKAGE_NAME kvl-settings-editor)
set(CPACK_PACKAGE_VERSION ${KVL_VERSION})
set(CPACK_PACKAGE_VENDOR "KVL-17+ Settings Editor contributors")
set(CPACK_PACKAGE_CONTACT "KVL-17+ Settings Editor contributors <kvl-settings-editor@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Settings editor for KVL 17 running under Wine")
set(CPACK_PACKAGE_DESCRIPTION
    "Changes the per-user settings of KVL 17, a Windows simulation program, in the Wine prefix it runs in,\n\
and exports them as a registry file. English and German.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.example.org/kvl-settings-editor)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The shared libraries (Qt's X11 plugin comes with them) from dpkg-shlibdeps; the Liberation fonts keep
# the form layout as designed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
# Wine runs the host and its tools; xdg-open opens the web site and the manual; Qt's German catalogue
# speaks German in the standard dialogs (without it they stay English, and the program says so).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wine, xdg-utils, qt6-translations-l10n")
include(CPack)
