cmake_minimum_required(VERSION 3.16)
# Checks that the shared library exports exactly the functions that the public
# header declares: nothing internal leaks, nothing declared is missing.
# Run with -DLIBRARY=<path> -DHEADER=<path> -DNM=<nm>.
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/QuarnExports.cmake)
quarn_declared_exports("${HEADER}" declared)

execute_process(COMMAND "${NM}" -D --defined-only "${LIBRARY}" OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[0-9a-fA-F]+ [TtWwDdBbRrVvi] [^\n]+" lines "${symbols}")
set(exported "")
foreach(line ${lines})
  string(REGEX REPLACE "^[0-9a-fA-F]+ [A-Za-z] " "" name "${line}")
  string(REGEX MATCH "^[TWDBRVi] " kind "${line}")
  # Global text/data symbols only; the linker's own markers are not exports.
  if(line MATCHES "^[0-9a-fA-F]+ [TWDBRVi] " AND NOT name MATCHES "^(_init|_fini|_edata|_end|__bss_start)$")
    list(APPEND exported "${name}")
  endif()
endforeach()
list(SORT exported)

if(NOT declared)
  message(FATAL_ERROR "no export declarations found in ${HEADER}")
endif()
if(NOT "${exported}" STREQUAL "${declared}")
  message(FATAL_ERROR "exported symbols differ from the public header\n  exported: ${exported}\n  declared: ${declared}")
endif()
message(STATUS "exports match the header: ${exported}")
