# SPDX-License-Identifier: MIT
#
# `cpack` (or the `package` target) turns the installed tree into a Debian
# package on Linux.

set(CPACK_PACKAGE_NAME "${TILLOMAR_PRODUCT_NAME}")
set(CPACK_PACKAGE_VENDOR "${TILLOMAR_COMPANY_NAME}")
set(CPACK_PACKAGE_VERSION "${TILLOMAR_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${TILLOMAR_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION "${TILLOMAR_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TILLOMAR_HOMEPAGE}")
set(CPACK_PACKAGE_CONTACT "${TILLOMAR_CONTACT}")
set(CPACK_STRIP_FILES ON)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
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
endif()

include(CPack)
