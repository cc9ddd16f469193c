# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a user-visible text of the Qt sources or a message template of the core has no
# finished translation: runs lupdate over the sources into a copy of the translation file and looks for unfinished entries.
# Arguments: LUPDATE, TS_FILE, SOURCE_ROOT, WORK_DIR.
get_filename_component(ts_name "${TS_FILE}" NAME)
set(copy "${WORK_DIR}/check_${ts_name}")
configure_file("${TS_FILE}" "${copy}" COPYONLY)
# The GUI's sources and the core's message templates, which the GUI translates.
set(sources "${SOURCE_ROOT}/ui" "${SOURCE_ROOT}/app" "${SOURCE_ROOT}/platform/UserMessage.cpp")
execute_process(
  COMMAND "${LUPDATE}" -silent -locations none -I "${SOURCE_ROOT}" ${sources} -ts "${copy}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${rc})")
endif()
file(READ "${copy}" content)
string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"unfinished\""
  unfinished "${content}")
list(LENGTH unfinished count)
if(count GREATER 0)
  string(REGEX REPLACE "</source>[^;]*" "" texts "${unfinished}")
  string(REPLACE "<source>" "\n  " texts "${texts}")
  message(FATAL_ERROR "${count} text(s) without translation in ${ts_name}:${texts}")
endif()
message(STATUS "every source text of ${ts_name} is translated")
