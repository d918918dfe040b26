# SPDX-License-Identifier: MIT
#
# What Tillomar's build does on Windows: the program carries its identity as
# a resource (the icon group and the version, written here from the data in
# cmake/Identity.cmake) and opens no console. Users download it, beside the
# build, as a portable zip and an installer made by NSIS, each with the
# licence texts of Tillomar, of Qt and the libraries built into it, and of
# the title font. When TILLOMAR_SIGNING_CERTIFICATE names a PKCS#12 file as
# the packages are made, the program, the installer and the uninstaller are
# signed and verified (tools/windows/sign.sh).

# The icon group as resource statements: group 1 lists the icon file's six
# images, which become the icon resources 30001 to 30006 in the file's order.
# Written as raw data, since an ICON statement would number them from 1.
function(tillomar_icon_resources ico out)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ico})
    file(READ ${ico} hex HEX)
    # Bytes to the 16-bit little-endian words of resource raw data.
    macro(words bytes result)
        string(REGEX REPLACE "(..)(..)" "0x\\2\\1, " ${result} "${bytes}")
        string(REPEAT "0x...., " 11 _line)
        string(REGEX REPLACE "(${_line}0x....), " "\\1,\n    " ${result} "${${result}}")
        string(REGEX REPLACE ", *$" "" ${result} "${${result}}")
    endmacro()
    # A little-endian number of LENGTH bytes at byte OFFSET.
    macro(number offset length result)
        math(EXPR _at "(${offset}) * 2")
        set(${result} "")
        foreach(_byte RANGE 1 ${length})
            string(SUBSTRING "${hex}" ${_at} 2 _pair)
            set(${result} "${_pair}${${result}}")
            math(EXPR _at "${_at} + 2")
        endforeach()
        math(EXPR ${result} "0x${${result}}")
    endmacro()
    number(4 2 count)
    string(SUBSTRING "${hex}" 0 12 group)
    set(statements "")
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
        math(EXPR entry "6 + ${i} * 16")
        number("${entry} + 8" 4 size)
        number("${entry} + 12" 4 offset)
        math(EXPR id "30001 + ${i}")
        math(EXPR _from "${entry} * 2")
        string(SUBSTRING "${hex}" ${_from} 24 head)
        math(EXPR id_hex "${id}" OUTPUT_FORMAT HEXADECIMAL)
        string(SUBSTRING "${id_hex}" 4 2 low)
        string(SUBSTRING "${id_hex}" 2 2 high)
        string(APPEND group "${head}${low}${high}")
        math(EXPR _from "${offset} * 2")
        math(EXPR _length "${size} * 2")
        string(SUBSTRING "${hex}" ${_from} ${_length} image)
        words("${image}" image_words)
        string(APPEND statements "${id} 3 // RT_ICON\nBEGIN\n    ${image_words}\nEND\n\n")
    endforeach()
    words("${group}" group_words)
    string(APPEND statements "1 14 // RT_GROUP_ICON\nBEGIN\n    ${group_words}\nEND")
    set(${out} "${statements}" PARENT_SCOPE)
endfunction()
tillomar_icon_resources(${TILLOMAR_ICON_FILE} TILLOMAR_ICON_RESOURCES)
set(TILLOMAR_RESOURCE_SCRIPT "${PROJECT_BINARY_DIR}/dist/windows/tillomar.rc")
configure_file(${PROJECT_SOURCE_DIR}/dist/windows/tillomar.rc.in ${TILLOMAR_RESOURCE_SCRIPT} @ONLY)
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
