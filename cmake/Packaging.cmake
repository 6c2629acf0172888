# Installation and the Debian package.
#
# Configured with a prefix of its own and without LAUNCHER_PACKAGE_LAYOUT,
# `cmake --install build` makes the prefix a complete installation directory.
# With LAUNCHER_PACKAGE_LAYOUT (the default when no prefix was given) the
# installation directory is <prefix>/lib/launcher, with a start script in
# <prefix>/bin, a desktop entry, an icon and the manual pages, as a Debian package
# wants it (CPack, generator DEB).

if(LAUNCHER_PACKAGE_LAYOUT)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/launcher-wrapper.sh ${CMAKE_BINARY_DIR}/launcher-wrapper.sh @ONLY)
    install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher-wrapper.sh DESTINATION bin RENAME launcher)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/launcher.desktop DESTINATION share/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/launcher.svg DESTINATION share/icons/hicolor/scalable/apps)

    # The icon at the sizes desktops look up first, drawn from the SVG.
    find_program(RSVG_CONVERT rsvg-convert REQUIRED)
    set(icons)
    foreach(size 16 24 32 48 64 128 256)
        set(icon ${CMAKE_BINARY_DIR}/packaging/icons/${size}x${size}/launcher.png)
        add_custom_command(
            OUTPUT ${icon}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/icons/${size}x${size}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${icon} ${CMAKE_SOURCE_DIR}/packaging/launcher.svg
            DEPENDS ${CMAKE_SOURCE_DIR}/packaging/launcher.svg
            VERBATIM)
        list(APPEND icons ${icon})
        install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps)
    endforeach()
    add_custom_target(package_icons ALL DEPENDS ${icons})

    # The software centres' description; its release is the changelog's newest entry.
    file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog signoff REGEX "^ -- " LIMIT_COUNT 1)
    string(REGEX MATCH "([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9])" _ "${signoff}")
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months "${CMAKE_MATCH_2}" month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    if(month LESS 10)
        set(month 0${month})
    endif()
    set(LAUNCHER_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
    set(metainfo ${CMAKE_BINARY_DIR}/packaging/invalid.launcher.launcher.metainfo.xml)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/launcher.metainfo.xml.in ${metainfo} @ONLY)
    install(FILES ${metainfo} DESTINATION share/metainfo)

    # Manual pages and the changelog, compressed as Debian wants them (no name,
    # no time stamp in the gzip header).
    find_program(GZIP_PROGRAM gzip REQUIRED)
    find_program(PERL_PROGRAM perl REQUIRED)
    set(doc_dir ${CMAKE_BINARY_DIR}/packaging)
    set(compressed)
    foreach(pair "launcher.1;man/launcher.1.gz" "launcher.ja.1;man/ja/launcher.1.gz" "changelog;doc/changelog.gz")
        list(GET pair 0 source)
        list(GET pair 1 output)
        string(REGEX REPLACE "\\.gz$" "" uncompressed ${doc_dir}/${output})
        if(source STREQUAL "launcher.ja.1")
            # Japanese lines break between characters, not at blanks.
            set(prepare sh -c "${PERL_PROGRAM} -CSD \"$0\" <\"$1\" >\"$2\""
                ${CMAKE_SOURCE_DIR}/packaging/man-ja-breaks.pl ${CMAKE_SOURCE_DIR}/packaging/${source} ${uncompressed})
        else()
            set(prepare ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/${source} ${uncompressed})
        endif()
        get_filename_component(output_dir ${doc_dir}/${output} DIRECTORY)
        add_custom_command(
            OUTPUT ${doc_dir}/${output}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
            COMMAND ${prepare}
            COMMAND ${GZIP_PROGRAM} -9nf ${uncompressed}
            DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${source} ${CMAKE_SOURCE_DIR}/packaging/man-ja-breaks.pl
            VERBATIM)
        list(APPEND compressed ${doc_dir}/${output})
    endforeach()
    add_custom_target(package_docs ALL DEPENDS ${compressed})
    install(FILES ${doc_dir}/man/launcher.1.gz DESTINATION share/man/man1)
    install(FILES ${doc_dir}/man/ja/launcher.1.gz DESTINATION share/man/ja/man1)
    install(FILES ${doc_dir}/doc/changelog.gz ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/launcher)

    # The checksum of every file of the installation directory, in sha256sum's
    # form. The start script compares it with the manifest of the user's copy and
    # brings only the package's own, unchanged files up to date. Runs after every
    # other install rule (they come from the subdirectories, added before).
    install(CODE "set(LAUNCHER_INSTALL_DIR \"${LAUNCHER_INSTALL_DIR}\")")
    install(CODE [[
        set(dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${LAUNCHER_INSTALL_DIR}")
        file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${dir}" "${dir}/*")
        list(REMOVE_ITEM files .manifest)
        list(SORT files)
        set(manifest "")
        foreach(f IN LISTS files)
            file(SHA256 "${dir}/${f}" sum)
            string(APPEND manifest "${sum}  ${f}\n")
        endforeach()
        message(STATUS "Installing: ${dir}/.manifest")
        file(WRITE "${dir}/.manifest" "${manifest}")
    ]])
endif()

set(LAUNCHER_PACKAGE_CONTACT "launcher maintainers <maintainers@launcher.invalid>"
    CACHE STRING "Maintainer of the Debian package, name and mail address")

set(CPACK_PACKAGE_NAME launcher)
set(CPACK_PACKAGE_VENDOR "launcher developers")
set(CPACK_PACKAGE_CONTACT "${LAUNCHER_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "main menu of a Japanese building-estimation suite")
set(CPACK_PACKAGE_DESCRIPTION "The main menu starts the programs of a Japanese building-estimation suite
installed beside it, follows them through marker files in its installation
directory and keeps the suite's working paths, the registry of construction
projects and the building overview of the current project. It shows the
date, a clock with an hourly time signal and background pictures.

Each user runs an own copy in ~/.local/share/launcher, where the programs of
the suite are installed. The package brings that copy up to date without
replacing or deleting the user's files.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin (the launcher places and raises windows through X11,
# XWayland on a Wayland session), Qt's own translations, the Japanese font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic")
# A message box when the user's copy cannot be brought up to date.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "zenity | kdialog | x11-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
