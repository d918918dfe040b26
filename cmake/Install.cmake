# SPDX-License-Identifier: MIT
#
# What `cmake --install` puts where: the program, and on Linux the desktop
# entry, the icon in the hicolor theme and the AppStream metainfo, all named
# by the application id so that desktops tie them together.

include(GNUInstallDirs)

# Tillomar links only system libraries; a search path of its own would only
# let stray libraries beside it take their place.
set_target_properties(Tillomar PROPERTIES INSTALL_RPATH "")

install(TARGETS Tillomar
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    BUNDLE DESTINATION .)

if(UNIX AND NOT APPLE)
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
endif()
