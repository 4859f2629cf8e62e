cmake_minimum_required(VERSION 3.25)
# Reads a module's export and import tables with MinGW objdump and fails on:
# an export-directory name other than ZORVgame.x32, exports other than exactly the five
# undecorated entry points, an import of a DLL that is not part of Windows, or a call of the
# log's line sink setter (programs such as zorvdesk set it; the module never does).
# Usage: cmake -DOBJDUMP=... -DMODULE=... -P check-module-tables.cmake
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${MODULE}")
endif()

string(REGEX MATCH "Name[ \t]+[0-9a-fA-F]+ ([^\n]+)" _ "${dump}")
set(dir_name "${CMAKE_MATCH_1}")
if(NOT dir_name STREQUAL "ZORVgame.x32")
  message(FATAL_ERROR "export directory name is '${dir_name}', not ZORVgame.x32")
endif()

string(FIND "${dump}" "[Ordinal/Name Pointer] Table" start)
if(start LESS 0)
  message(FATAL_ERROR "no export name table")
endif()
string(SUBSTRING "${dump}" ${start} -1 names_part)
string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] [^\n]+" entries "${names_part}")
set(exports "")
foreach(e ${entries})
  string(REGEX REPLACE "\n\t\\[ *[0-9]+\\] " "" name "${e}")
  list(APPEND exports "${name}")
endforeach()
list(SORT exports)
set(expected DllCanUnloadNow DllGetClassForm DllGetClassInfo DllGetClassObject DllGetInterface)
if(NOT exports STREQUAL expected)
  message(FATAL_ERROR "exports are '${exports}', expected '${expected}'")
endif()

set(windows_dlls kernel32.dll user32.dll gdi32.dll advapi32.dll ole32.dll oleaut32.dll
    shell32.dll shlwapi.dll comctl32.dll comdlg32.dll msvcrt.dll version.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
if(NOT imports)
  message(FATAL_ERROR "no import table")
endif()
foreach(i ${imports})
  string(REPLACE "DLL Name: " "" dll "${i}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST windows_dlls)
    message(FATAL_ERROR "imports ${dll}, which is not a Windows DLL")
  endif()
  message(STATUS "imports ${dll}")
endforeach()
message(STATUS "exports ${exports} from ${dir_name}")

# The setter is linked in with the rest of the log; its label proves the symbols are there.
execute_process(COMMAND ${OBJDUMP} -d ${MODULE} COMMAND grep setLogLineSink
                OUTPUT_VARIABLE sink_lines)
if(NOT sink_lines MATCHES "setLogLineSink[^>\n]*>:")
  message(FATAL_ERROR "no symbol setLogLineSink: cannot tell whether the module sets the sink")
endif()
if(sink_lines MATCHES "(call|jmp)[^\n]*setLogLineSink")
  message(FATAL_ERROR "the module sets the log's line sink:\n${sink_lines}")
endif()
