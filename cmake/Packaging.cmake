# Installation and the Debian package.
#
# A plain `cmake --install build --prefix <dir>` makes <dir> a complete
# installation directory. With LAUNCHER_PACKAGE_LAYOUT the installation directory
# is <prefix>/lib/launcher, with a start script in <prefix>/bin, a desktop entry
# and an icon, as a Debian package wants it (CPack, generator DEB).

file(WRITE ${CMAKE_BINARY_DIR}/version.txt "${PROJECT_VERSION}\n")
install(FILES ${CMAKE_BINARY_DIR}/version.txt DESTINATION ${LAUNCHER_INSTALL_DIR} RENAME .version)

if(LAUNCHER_PACKAGE_LAYOUT)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/launcher-wrapper.sh ${CMAKE_BINARY_DIR}/launcher-wrapper.sh @ONLY)
    install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher-wrapper.sh DESTINATION bin RENAME launcher)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/launcher.desktop DESTINATION share/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/launcher.svg DESTINATION share/icons/hicolor/scalable/apps)
endif()

set(CPACK_PACKAGE_NAME launcher)
set(CPACK_PACKAGE_VENDOR "launcher developers")
set(CPACK_PACKAGE_CONTACT "launcher developers <launcher@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Main menu of a Japanese building-estimation suite")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
