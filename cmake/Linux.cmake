# SPDX-License-Identifier: MIT
#
# What Tillomar's build does on Linux: the desktop library's window-system
# libraries; beside the program, the desktop entry, the icon in the hicolor
# theme and the AppStream metainfo, all named by the application id so that
# desktops tie them together; and a Debian package of it all (`cpack`).

# Tool-window frames on X11 need hints that Qt's window flags cannot give;
# Qt's AT-SPI bridge sends some events for screen readers wrongly.
find_package(PkgConfig REQUIRED)
pkg_check_modules(xcb REQUIRED IMPORTED_TARGET GLOBAL xcb)
find_package(Qt6 REQUIRED COMPONENTS DBus GLOBAL)
target_link_libraries(tillomar_desktop PRIVATE PkgConfig::xcb Qt6::DBus)

# The identity's carriers on Linux, named by the application id.
set(TILLOMAR_DESKTOP_ENTRY "${PROJECT_BINARY_DIR}/dist/linux/${TILLOMAR_APP_ID}.desktop")
set(TILLOMAR_METAINFO "${PROJECT_BINARY_DIR}/dist/linux/${TILLOMAR_APP_ID}.metainfo.xml")
set(TILLOMAR_CHANGELOG "${PROJECT_BINARY_DIR}/dist/linux/changelog")
set(TILLOMAR_MANUAL_PAGE "${PROJECT_BINARY_DIR}/dist/linux/${TILLOMAR_EXECUTABLE_NAME}.1")
configure_file(${PROJECT_SOURCE_DIR}/dist/linux/tillomar.desktop.in ${TILLOMAR_DESKTOP_ENTRY} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/linux/tillomar.metainfo.xml.in ${TILLOMAR_METAINFO} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/linux/changelog.in ${TILLOMAR_CHANGELOG} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/linux/Tillomar.1.in ${TILLOMAR_MANUAL_PAGE} @ONLY)

# The licences travel with every copy, where Debian looks for them: ours,
# and that of the title font compiled into the program.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE _program_licence)
file(READ ${PROJECT_SOURCE_DIR}/resources/fonts/OFL.txt _font_licence)
file(WRITE ${PROJECT_BINARY_DIR}/dist/copyright
    "Tillomar\n\n${_program_licence}\n"
    "The product title's font, Noto Sans Display ExtraCondensed Black, built into the program:\n\n"
    "${_font_licence}")
install(FILES ${PROJECT_BINARY_DIR}/dist/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${TILLOMAR_PACKAGE_NAME})
# Compressed as Debian wants them: at the highest level, with no time
# stamp, so that two builds of one tree give the same package.
set(_compressed "")
foreach(file IN ITEMS ${TILLOMAR_CHANGELOG} ${TILLOMAR_MANUAL_PAGE})
    add_custom_command(OUTPUT ${file}.gz
        COMMAND gzip -9 --no-name --force --keep ${file}
        DEPENDS ${file}
        VERBATIM)
    list(APPEND _compressed ${file}.gz)
endforeach()
add_custom_target(tillomar_compressed_docs ALL DEPENDS ${_compressed})
install(FILES ${TILLOMAR_CHANGELOG}.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${TILLOMAR_PACKAGE_NAME})
install(FILES ${TILLOMAR_MANUAL_PAGE}.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TILLOMAR_DESKTOP_ENTRY}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TILLOMAR_METAINFO}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN ITEMS 16 32 48)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/tillomar-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${TILLOMAR_APP_ID}.png)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/tillomar-${size}@2x.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}@2/apps
        RENAME ${TILLOMAR_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_NAME "${TILLOMAR_PACKAGE_NAME}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# dpkg-shlibdeps finds the Qt libraries the program links; the font the
# windows are drawn in is a dependency no linker sees.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# Without dpkg-shlibdeps CPack would quietly leave the Qt libraries out.
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_LIST_DIR}/PackageCheck.cmake")
include(CPack)

# The headless test suites run on Qt's offscreen platform.
set(TILLOMAR_TEST_PLATFORM offscreen)
