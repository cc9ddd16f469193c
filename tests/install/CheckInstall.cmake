# SPDX-License-Identifier: GPL-3.0-or-later
cmake_policy(SET CMP0057 NEW)
# Installs the build into a staging prefix and checks that a Linux desktop would find everything:
# both programs, the menu entry, the icon in every hicolor size, the translation, the completion,
# the AppStream metainfo and the systemd user unit.
# Called as: cmake -DBUILD_DIR=... -DSTAGE=... -P CheckInstall.cmake
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${STAGE}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected bin/tunecrate bin/tunecrate-cli share/applications/tunecrate.desktop
    share/tunecrate/translations/tunecrate_de.qm share/bash-completion/completions/tunecrate-cli
    share/metainfo/org.vornhollow.Tunecrate.metainfo.xml lib/systemd/user/tunecrate-watch@.service
    share/doc/tunecrate/copyright)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/tunecrate.png)
endforeach()
foreach(path IN LISTS expected)
  if(NOT EXISTS "${STAGE}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

file(STRINGS "${STAGE}/share/applications/tunecrate.desktop" entry)
foreach(line "Exec=tunecrate %f" "Icon=tunecrate" "Type=Application")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "desktop entry lacks: ${line}")
  endif()
endforeach()

# The installed command-line program runs from its new place.
execute_process(COMMAND "${STAGE}/bin/tunecrate-cli" --version
                RESULT_VARIABLE result OUTPUT_VARIABLE version)
if(NOT result EQUAL 0 OR NOT version MATCHES "tunecrate-cli 1\\.1.*GPL-3\\.0-or-later")
  message(FATAL_ERROR "installed tunecrate-cli does not run: ${result} ${version}")
endif()
