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
endif()
