# SPDX-License-Identifier: MIT
#
# One set of warnings for every target of the project, linked as an
# interface library; CI turns them into errors.

option(TILLOMAR_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

add_library(tillomar_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(tillomar_warnings INTERFACE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
        $<$<BOOL:${TILLOMAR_WARNINGS_AS_ERRORS}>:-Werror>)
elseif(MSVC)
    target_compile_options(tillomar_warnings INTERFACE /W4 $<$<BOOL:${TILLOMAR_WARNINGS_AS_ERRORS}>:/WX>)
endif()
