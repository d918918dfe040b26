# SPDX-License-Identifier: MIT
#
# What `cmake --install` puts where on every system; cmake/<system>.cmake
# adds what a system's desktop needs beside the program.

include(GNUInstallDirs)

# Tillomar links only system libraries; a search path of its own would only
# let stray libraries beside it take their place.
set_target_properties(Tillomar PROPERTIES INSTALL_RPATH "")
install(TARGETS Tillomar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The package's common fields; the generator is the system's.
set(CPACK_PACKAGE_NAME "${TILLOMAR_PRODUCT_NAME}")
set(CPACK_PACKAGE_VENDOR "${TILLOMAR_COMPANY_NAME}")
set(CPACK_PACKAGE_VERSION "${TILLOMAR_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${TILLOMAR_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION "${TILLOMAR_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TILLOMAR_HOMEPAGE}")
set(CPACK_PACKAGE_CONTACT "${TILLOMAR_CONTACT}")
set(CPACK_STRIP_FILES ON)
