# SPDX-License-Identifier: GPL-3.0-or-later
# `format` rewrites every C++ source of the project with clang-format; `format-check` fails on drift.
find_program(CLANG_FORMAT_EXE NAMES clang-format)
if(CLANG_FORMAT_EXE)
  file(GLOB_RECURSE _tunecrate_format_sources CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h
    ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h
    ${CMAKE_SOURCE_DIR}/bench/*.cpp ${CMAKE_SOURCE_DIR}/bench/*.h
    ${CMAKE_SOURCE_DIR}/tools/*.cpp ${CMAKE_SOURCE_DIR}/tools/*.h
    ${CMAKE_SOURCE_DIR}/fuzz/*.cpp ${CMAKE_SOURCE_DIR}/fuzz/*.h)
  add_custom_target(format
    COMMAND ${CLANG_FORMAT_EXE} -i ${_tunecrate_format_sources}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} COMMENT "clang-format: rewriting the sources" VERBATIM)
  add_custom_target(format-check
    COMMAND ${CLANG_FORMAT_EXE} --dry-run --Werror ${_tunecrate_format_sources}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} COMMENT "clang-format: checking the sources" VERBATIM)
endif()
