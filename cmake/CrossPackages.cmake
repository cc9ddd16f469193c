# SPDX-License-Identifier: GPL-3.0-or-later
# Packages of a cross build. The host's CMake packages describe host libraries, so none is used:
# the header-only CLI11 and nlohmann/json are taken from the host's include folder through a
# folder of their own (adding the whole host include folder would mix in the host's C library),
# and GoogleTest is built for the target from the sources Debian ships.
set(TUNECRATE_HOST_INCLUDE_DIR /usr/include CACHE PATH
    "Where the host keeps the headers of CLI11 and nlohmann/json")
set(TUNECRATE_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources, built for the target")

set(_tunecrate_headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${_tunecrate_headers})
foreach(_dir CLI nlohmann)
  if(NOT EXISTS ${TUNECRATE_HOST_INCLUDE_DIR}/${_dir})
    message(FATAL_ERROR "${TUNECRATE_HOST_INCLUDE_DIR}/${_dir} is missing (scripts/install-deps.sh)")
  endif()
  file(CREATE_LINK ${TUNECRATE_HOST_INCLUDE_DIR}/${_dir} ${_tunecrate_headers}/${_dir} SYMBOLIC)
endforeach()

add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${_tunecrate_headers})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${_tunecrate_headers})
