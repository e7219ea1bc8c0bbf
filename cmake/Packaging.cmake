# Installing Quillet as a desktop program and packaging it for Debian:
# the program, its desktop entry, icon, AppStream metadata, the MIME type of
# board files, manual pages, and the README, changelog and copyright file.

include(GNUInstallDirs)

set(QUILLET_HOMEPAGE "https://github.com/quillet/quillet"
    CACHE STRING "Where the project is published; shown by software centres")
# The maintainer of the Debian package, as NAME <ADDRESS>, at the project's
# own domain, which its desktop name (io.github.quillet) claims; and where
# people reach the developers, the repository's issues. Not cached: a build
# tree keeps no address of an earlier one.
set(QUILLET_MAINTAINER "The Quillet developers <maintainers@quillet.github.io>")
set(QUILLET_CONTACT "${QUILLET_HOMEPAGE}/issues")
set(QUILLET_SCREENSHOT_URL "https://raw.githubusercontent.com/quillet/quillet/main/docs/main-window.png"
    CACHE STRING "Web address of docs/main-window.png as published")

install(TARGETS quillet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(QUILLET_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(QUILLET_DATA_DIR ${PROJECT_BINARY_DIR}/data)

configure_file(${QUILLET_PACKAGING_DIR}/quillet.desktop.in
    ${QUILLET_DATA_DIR}/${QUILLET_APP_ID}.desktop @ONLY)
configure_file(${QUILLET_PACKAGING_DIR}/quillet.metainfo.xml.in
    ${QUILLET_DATA_DIR}/${QUILLET_APP_ID}.metainfo.xml @ONLY)
# The coach has an entry of its own, named as it names itself to the desktop.
configure_file(${QUILLET_PACKAGING_DIR}/quillet-coach.desktop.in
    ${QUILLET_DATA_DIR}/${QUILLET_APP_ID}.Coach.desktop @ONLY)
install(FILES ${QUILLET_DATA_DIR}/${QUILLET_APP_ID}.desktop
              ${QUILLET_DATA_DIR}/${QUILLET_APP_ID}.Coach.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUILLET_DATA_DIR}/${QUILLET_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Board files (*.cgd) as application/x-quillet-board, which the desktop entry
# takes: a file manager's double click or xdg-open starts Quillet on one.
install(FILES ${QUILLET_PACKAGING_DIR}/quillet-mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${QUILLET_APP_ID}.xml)

# Debian keeps manual pages compressed; -n leaves the date out of the archive.
set(QUILLET_MANUALS "")
foreach(page quillet quillet-board quillet-coach)
    configure_file(${QUILLET_PACKAGING_DIR}/${page}.1.in ${QUILLET_DATA_DIR}/${page}.1 @ONLY)
    add_custom_command(OUTPUT ${QUILLET_DATA_DIR}/${page}.1.gz
        COMMAND gzip -9nc ${QUILLET_DATA_DIR}/${page}.1 > ${QUILLET_DATA_DIR}/${page}.1.gz
        DEPENDS ${QUILLET_DATA_DIR}/${page}.1
        VERBATIM)
    list(APPEND QUILLET_MANUALS ${QUILLET_DATA_DIR}/${page}.1.gz)
endforeach()
add_custom_target(quillet-manual ALL DEPENDS ${QUILLET_MANUALS})
install(FILES ${QUILLET_MANUALS} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian's documentation directory, named after the package: the copyright
# file in Debian's machine-readable form, and the changelog and README
# compressed as Debian compresses them. The changelog's newest entry must be
# this version.
set(QUILLET_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quillet)
file(STRINGS ${QUILLET_PACKAGING_DIR}/changelog QUILLET_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT QUILLET_CHANGELOG_TOP MATCHES "^quillet \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog begins \"${QUILLET_CHANGELOG_TOP}\": "
                        "add an entry for version ${PROJECT_VERSION}")
endif()
configure_file(${QUILLET_PACKAGING_DIR}/copyright.in ${QUILLET_DATA_DIR}/copyright @ONLY)
set(QUILLET_DOCS ${QUILLET_DATA_DIR}/changelog.gz ${QUILLET_DATA_DIR}/README.md.gz)
add_custom_command(OUTPUT ${QUILLET_DOCS}
    COMMAND gzip -9nc ${QUILLET_PACKAGING_DIR}/changelog > ${QUILLET_DATA_DIR}/changelog.gz
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/README.md > ${QUILLET_DATA_DIR}/README.md.gz
    DEPENDS ${QUILLET_PACKAGING_DIR}/changelog ${PROJECT_SOURCE_DIR}/README.md
    VERBATIM)
add_custom_target(quillet-docs ALL DEPENDS ${QUILLET_DOCS})
install(FILES ${QUILLET_DATA_DIR}/copyright ${QUILLET_DOCS} DESTINATION ${QUILLET_DOC_DIR})

# The icon is drawn from the blossom picture at build time.
find_package(Qt6 REQUIRED COMPONENTS Svg)
qt_add_executable(quillet-icon
    ${QUILLET_PACKAGING_DIR}/icon/render_icon.cpp
    ${QUILLET_PACKAGING_DIR}/icon/StrokeCanvas.cpp)
quillet_use_layers(quillet-icon FOLDER ${QUILLET_PACKAGING_DIR} LAYERS pictures drawing)
target_link_libraries(quillet-icon PRIVATE Qt6::Svg quillet_warnings)
set(QUILLET_ICON_THEME ${PROJECT_BINARY_DIR}/icons/hicolor)
set(QUILLET_ICON_FILES ${QUILLET_ICON_THEME}/scalable/apps/${QUILLET_APP_ID}.svg)
foreach(size IN LISTS QUILLET_ICON_SIZES)
    list(APPEND QUILLET_ICON_FILES ${QUILLET_ICON_THEME}/${size}x${size}/apps/${QUILLET_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${QUILLET_ICON_FILES}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
        $<TARGET_FILE:quillet-icon> ${QUILLET_ICON_THEME} ${QUILLET_APP_ID} ${QUILLET_ICON_SIZES}
    DEPENDS quillet-icon
    VERBATIM)
add_custom_target(quillet-icons ALL DEPENDS ${QUILLET_ICON_FILES})
install(DIRECTORY ${QUILLET_ICON_THEME} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "The Quillet developers")
set(CPACK_PACKAGE_CONTACT ${QUILLET_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "assistant for solving number-place (sudoku) puzzles by hand")
# One string: a list of lines would reach the control file joined by ";".
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quillet keeps the candidates of every cell of a 9x9 board, strikes a placed\n"
    "digit from its row, column and box, fills in hidden singles, undoes the last\n"
    "placement and saves boards as plain 81-line text files. quillet-board turns\n"
    "the puzzle texts of other programs into boards and gives hints.")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianGamesDirectory.cmake)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUILLET_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's Japanese Gothic face; Qt's platform plugins come with libqt6gui6,
# and its print support (libqt6printsupport6) the programs link themselves.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_STRIP_FILES ON)
include(CPack)
