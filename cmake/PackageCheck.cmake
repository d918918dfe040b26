# SPDX-License-Identifier: MIT
# Read by cpack before it packs.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(TILLOMAR_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT TILLOMAR_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps is missing (Debian package dpkg-dev); "
            "without it the package would not depend on the Qt libraries.")
    endif()
endif()
