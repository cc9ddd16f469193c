# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows packages, made by CPack on Linux: an NSIS installer that installs for the current
# user without administrator rights (Start-menu entry, uninstaller, the licence page) and a
# portable zip whose empty Tunecrate.ini keeps the settings beside the programs.
install(TARGETS tunecrate RUNTIME DESTINATION .)  # tunecrate-cli.exe: src/cli
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# The packages are built after the programs (scripts/dev.sh package-windows): installing them
# must not first build every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_PACKAGE_NAME tunecrate)
set(CPACK_PACKAGE_VENDOR Vornhollow)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fills a USB music stick with songs drawn at random")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tunecrate)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tunecrate)
set(CPACK_PACKAGE_EXECUTABLES tunecrate Tunecrate)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_FILE_NAME tunecrate-${PROJECT_VERSION}-windows-x64)
set(CPACK_GENERATOR NSIS ZIP)

set(CPACK_NSIS_PACKAGE_NAME Tunecrate)
set(CPACK_NSIS_DISPLAY_NAME Tunecrate)
set(CPACK_NSIS_INSTALLED_ICON_NAME tunecrate.exe)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_MUI_ICON ${CMAKE_BINARY_DIR}/src/win/resources/tunecrate.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_BINARY_DIR}/src/win/resources/tunecrate.ico)
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)

# CMake's installer script asks for administrator rights and installs for all users when it has
# them. Ours is made from it with the user's own rights, folders and registry hive throughout.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in _nsis)
foreach(_pair
    "RequestExecutionLevel admin|RequestExecutionLevel user"
    "SetShellVarContext all|SetShellVarContext current"
    "StrCpy $SV_ALLUSERS \"AllUsers\"|StrCpy $SV_ALLUSERS \"JustMe\""
    "StrCpy $INSTDIR \"$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@\"|")
  string(REPLACE "|" ";" _pair "${_pair}")
  list(GET _pair 0 _from)
  list(LENGTH _pair _length)
  set(_to "")
  if(_length GREATER 1)
    list(GET _pair 1 _to)
  endif()
  string(FIND "${_nsis}" "${_from}" _at)
  if(_at EQUAL -1)
    message(FATAL_ERROR "CMake's NSIS template has no '${_from}' to make per-user")
  endif()
  string(REPLACE "${_from}" "${_to}" _nsis "${_nsis}")
endforeach()
# A 64-bit installer like the programs it installs: it runs where 32-bit programs cannot (a
# 64-bit-only wine, for one).
set(_templates ${CMAKE_BINARY_DIR}/nsis-template)
string(FIND "${_nsis}" "\n" _first_line_end)  # after the first line, which opens with a BOM
string(SUBSTRING "${_nsis}" 0 ${_first_line_end} _head)
string(SUBSTRING "${_nsis}" ${_first_line_end} -1 _tail)
file(WRITE ${_templates}/NSIS.template.in "${_head}\nTarget amd64-unicode${_tail}")
configure_file(${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.InstallOptions.ini.in
               ${_templates}/NSIS.InstallOptions.ini.in COPYONLY)
list(PREPEND CMAKE_MODULE_PATH ${_templates})

# Each package its own file name; only the zip carries the Tunecrate.ini that makes it portable.
set(TUNECRATE_PORTABLE_DIR ${PROJECT_SOURCE_DIR}/packaging/windows)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/CPackWindows.cmake.in
               ${CMAKE_BINARY_DIR}/CPackWindows.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackWindows.cmake)
include(CPack)

# Finds the installed program's window from outside (scripts/dev.sh package-windows-check,
# scripts/screenshots.sh); not part of the packages.
add_executable(tunecrate_window_probe ${PROJECT_SOURCE_DIR}/packaging/windows/WindowProbe.cpp)
target_compile_definitions(tunecrate_window_probe PRIVATE UNICODE _UNICODE _WIN32_WINNT=0x0A00)
target_link_libraries(tunecrate_window_probe PRIVATE gdi32 user32)
tunecrate_warnings(tunecrate_window_probe)
