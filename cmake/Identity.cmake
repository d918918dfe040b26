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

# The program reads its identity from a generated header; each system's
# build writes the carriers it ships (cmake/Linux.cmake, cmake/Windows.cmake).
configure_file(${PROJECT_SOURCE_DIR}/src/app/identity.h.in
    ${TILLOMAR_GENERATED_INCLUDE_DIR}/app/identity.h @ONLY)
