# SPDX-License-Identifier: MIT
#
# What Tillomar's build does on Windows: the program carries its identity as
# a resource (the icon group and the version, generated from
# cmake/Identity.cmake) and opens no console. Users download it, beside the
# build, as a portable zip
# and an installer made by NSIS, each with the licence texts of Tillomar, of
# Qt and the libraries built into it, and of the title font. When
# TILLOMAR_SIGNING_CERTIFICATE names a PKCS#12 file as the packages are made,
# the program, the installer and the uninstaller are signed and verified
# (tools/windows/sign.sh).

enable_language(RC)
target_sources(Tillomar PRIVATE ${TILLOMAR_RESOURCE_SCRIPT})
set_target_properties(Tillomar PROPERTIES WIN32_EXECUTABLE TRUE)

set(_stage ${PROJECT_BINARY_DIR}/stage)
set(TILLOMAR_STAGE ${_stage})
set(TILLOMAR_ZIP ${PROJECT_BINARY_DIR}/${TILLOMAR_PRODUCT_NAME}-${TILLOMAR_VERSION_TEXT}-windows-x64.zip)
set(TILLOMAR_INSTALLER ${PROJECT_BINARY_DIR}/${TILLOMAR_PRODUCT_NAME}-${TILLOMAR_VERSION_TEXT}-setup.exe)
string(REPLACE "," "." TILLOMAR_VERSION_DOTS "${TILLOMAR_VERSION_COMMAS}")

# Where each licence comes from and the name it has in the packages.
file(GLOB _qt_licences "${QT6_INSTALL_PREFIX}/licenses/*.txt")
if(NOT _qt_licences)
    message(FATAL_ERROR "Qt at ${QT6_INSTALL_PREFIX} carries no licence texts: build it with tools/windows/qt.sh")
endif()
set(_licences ${PROJECT_SOURCE_DIR}/resources/fonts/OFL.txt ${_qt_licences})
set(_copies "")
set(TILLOMAR_LICENCE_DELETES "")
foreach(licence IN LISTS _licences)
    get_filename_component(name ${licence} NAME)
    if(licence MATCHES "/fonts/OFL.txt$")
        set(name "NotoSansDisplay-OFL.txt")
    endif()
    list(APPEND _copies COMMAND ${CMAKE_COMMAND} -E copy ${licence} ${_stage}/licenses/${name})
    string(APPEND TILLOMAR_LICENCE_DELETES "    Delete \"$INSTDIR\\licenses\\${name}\"\n")
endforeach()

configure_file(${PROJECT_SOURCE_DIR}/dist/windows/installer.nsi.in ${PROJECT_BINARY_DIR}/installer.nsi @ONLY)

set(_sign ${PROJECT_SOURCE_DIR}/tools/windows/sign.sh)
add_custom_command(OUTPUT ${TILLOMAR_ZIP} ${TILLOMAR_INSTALLER}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${_stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_stage}/licenses
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Tillomar> ${_stage}/
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${_stage}/LICENSE.txt
    ${_copies}
    COMMAND bash ${_sign} --if-configured ${_stage}/$<TARGET_FILE_NAME:Tillomar>
    COMMAND ${CMAKE_COMMAND} -E rm -f ${TILLOMAR_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${_stage}
        ${CMAKE_COMMAND} -E tar cf ${TILLOMAR_ZIP} --format=zip $<TARGET_FILE_NAME:Tillomar> LICENSE.txt licenses
    COMMAND bash ${PROJECT_SOURCE_DIR}/tools/windows/makensis.sh ${PROJECT_BINARY_DIR}/installer.nsi
    DEPENDS Tillomar ${PROJECT_BINARY_DIR}/installer.nsi ${_licences} ${_sign}
        ${PROJECT_SOURCE_DIR}/tools/windows/makensis.sh
    VERBATIM)
add_custom_target(windows_packages ALL DEPENDS ${TILLOMAR_ZIP} ${TILLOMAR_INSTALLER})

# The test suites run under Wine, on its own desktop (the emulator of the
# windows preset); their pictures leave out what shows text, as Windows
# draws glyphs its own way.
set(TILLOMAR_TEST_PLATFORM windows)
set(TILLOMAR_TEST_DEFINITIONS TILLOMAR_PICTURES_WITHOUT_TEXT)
