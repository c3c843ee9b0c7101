cmake_minimum_required(VERSION 3.16)
# Checks a Windows DLL built by the cross build: its export table holds
# exactly the functions that the public header declares, by their plain
# (undecorated) names, and it imports only from Windows' own DLLs.
# Run with -DLIBRARY=<dll> -DHEADER=<quarn.h> -DOBJDUMP=<objdump>
#          [-DEXPECT_NAMES=a;b] (instead of HEADER, for other DLLs)
include(${CMAKE_CURRENT_LIST_DIR}/QuarnExports.cmake)

execute_process(COMMAND "${OBJDUMP}" -p "${LIBRARY}" OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} failed on ${LIBRARY}")
endif()

# Exported names: the lines after "[Ordinal/Name Pointer] Table".
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[ 0-9]+\\][^\n]*\n)*)" table "${dump}")
# Drop the "[ n] " column first: square brackets would keep list items together.
string(REGEX REPLACE "[ \t]*\\[[ 0-9]+\\][ \t]*" "" names_text "${CMAKE_MATCH_1}")
string(STRIP "${names_text}" names_text)
string(REPLACE "\n" ";" exported "${names_text}")
list(SORT exported)

if(DEFINED HEADER)
  quarn_declared_exports("${HEADER}" expected)
else()
  set(expected ${EXPECT_NAMES})
  list(SORT expected)
endif()
if(NOT "${exported}" STREQUAL "${expected}")
  message(FATAL_ERROR "${LIBRARY}: export table differs\n  exported: ${exported}\n  expected: ${expected}")
endif()
foreach(name ${exported})
  if(name MATCHES "@")
    message(FATAL_ERROR "${LIBRARY}: decorated export ${name}")
  endif()
endforeach()

# Imported DLLs: only the system's own.
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
set(allowed "KERNEL32.dll;USER32.dll;msvcrt.dll;ADVAPI32.dll;VERSION.dll;SHELL32.dll")
string(TOUPPER "${allowed}" allowed_upper)
foreach(i ${imports})
  string(REGEX REPLACE "DLL Name: " "" dll "${i}")
  string(STRIP "${dll}" dll)
  string(TOUPPER "${dll}" dll_upper)
  if(NOT dll_upper IN_LIST allowed_upper AND NOT dll_upper MATCHES "^API-MS-WIN-")
    message(FATAL_ERROR "${LIBRARY}: imports ${dll}, which Windows does not ship")
  endif()
endforeach()
message(STATUS "${LIBRARY}: exports ${exported}; imports ${imports}")
