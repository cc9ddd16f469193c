# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler warnings for the project's own targets.
function(tunecrate_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(TUNECRATE_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()
