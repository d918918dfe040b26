# SPDX-License-Identifier: MIT
#
# The program's identity data, kept here once. Everything that carries it (the
# program's own header, the Windows resource script, the desktop entry, the
# AppStream metainfo and the packages) is generated from
# these variables and from project().

set(TILLOMAR_PRODUCT_NAME "${PROJECT_NAME}")
set(TILLOMAR_COMPANY_NAME "Varnholt")
set(TILLOMAR_MAKER_ADDRESS "www.varnholt.example")
set(TILLOMAR_EXECUTABLE_NAME "${PROJECT_NAME}")
set(TILLOMAR_INTERNAL_NAME "${TILLOMAR_EXECUTABLE_NAME}")
# The Windows file name, whatever the platform being built for.
set(TILLOMAR_ORIGINAL_FILENAME "${TILLOMAR_EXECUTABLE_NAME}.exe")
set(TILLOMAR_SUMMARY "Count a cash box by denomination")
# Broken into lines that a package's description may hold (80 characters).
set(TILLOMAR_DESCRIPTION
    "Type how many notes and coins of each kind are in the box before trading\n\
and again after it: Tillomar shows what each row is worth, both totals and\n\
what the box has gained.")
set(TILLOMAR_RELEASE_DATE "2026-12-06")
# The same day as a package's changelog writes it, with its weekday.
if(CMAKE_HOST_UNIX)
    execute_process(COMMAND date -u -R -d "${TILLOMAR_RELEASE_DATE}"
        OUTPUT_VARIABLE TILLOMAR_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endif()

# The version strings show major and two-digit minor ("1.01" for 1.1.0.0);
# the fixed four-part version carries the rest.
string(LENGTH "${PROJECT_VERSION_MINOR}" _minor_digits)
if(_minor_digits LESS 2)
    set(TILLOMAR_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
else()
    set(TILLOMAR_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
endif()
set(TILLOMAR_VERSION_COMMAS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK}")

# The application id is the maker's address reversed, then the product:
# www.varnholt.example gives example.varnholt.Tillomar.
string(REGEX REPLACE "^www\\." "" _maker_domain "${TILLOMAR_MAKER_ADDRESS}")
string(REPLACE "." ";" _domain_labels "${_maker_domain}")
list(REVERSE _domain_labels)
list(JOIN _domain_labels "." _reversed_domain)
set(TILLOMAR_APP_ID "${_reversed_domain}.${TILLOMAR_PRODUCT_NAME}")
string(TOLOWER "${TILLOMAR_PRODUCT_NAME}" TILLOMAR_PACKAGE_NAME)
set(TILLOMAR_HOMEPAGE "https://${TILLOMAR_MAKER_ADDRESS}/")
set(TILLOMAR_CONTACT "${TILLOMAR_COMPANY_NAME} <tillomar@${_maker_domain}>")

set(TILLOMAR_ICON_FILE "${PROJECT_SOURCE_DIR}/resources/tillomar.ico")
set(TILLOMAR_GENERATED_INCLUDE_DIR "${PROJECT_BINARY_DIR}/generated")
set(TILLOMAR_RESOURCE_SCRIPT "${PROJECT_BINARY_DIR}/dist/windows/tillomar.rc")
set(TILLOMAR_DESKTOP_ENTRY "${PROJECT_BINARY_DIR}/dist/linux/${TILLOMAR_APP_ID}.desktop")
set(TILLOMAR_METAINFO "${PROJECT_BINARY_DIR}/dist/linux/${TILLOMAR_APP_ID}.metainfo.xml")
set(TILLOMAR_CHANGELOG "${PROJECT_BINARY_DIR}/dist/linux/changelog")
set(TILLOMAR_MANUAL_PAGE "${PROJECT_BINARY_DIR}/dist/linux/${TILLOMAR_EXECUTABLE_NAME}.1")

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

# Every carrier is written on every platform; each system's build takes its own.
configure_file(${PROJECT_SOURCE_DIR}/src/app/identity.h.in
    ${TILLOMAR_GENERATED_INCLUDE_DIR}/app/identity.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/windows/tillomar.rc.in ${TILLOMAR_RESOURCE_SCRIPT} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/linux/tillomar.desktop.in ${TILLOMAR_DESKTOP_ENTRY} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/linux/tillomar.metainfo.xml.in ${TILLOMAR_METAINFO} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/linux/changelog.in ${TILLOMAR_CHANGELOG} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/linux/Tillomar.1.in ${TILLOMAR_MANUAL_PAGE} @ONLY)
