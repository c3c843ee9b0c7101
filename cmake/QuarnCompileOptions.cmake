# Compiler settings shared by every target of the project.
#
# The encoder's output is defined to the bit, so floating point must be
# evaluated exactly as written: no fused multiply-add contraction, no
# fast-math, and SSE2 (never x87 extended precision) on 32-bit x86.
add_library(quarn_options INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(quarn_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -ffp-contract=off -fno-fast-math)
  if(QUARN_WARNINGS_AS_ERRORS)
    target_compile_options(quarn_options INTERFACE -Werror)
  endif()
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$" OR (CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "86"))
    target_compile_options(quarn_options INTERFACE -msse2 -mfpmath=sse)
  endif()
elseif(MSVC)
  target_compile_options(quarn_options INTERFACE /W4 /fp:precise /fp:contract-)
  if(QUARN_WARNINGS_AS_ERRORS)
    target_compile_options(quarn_options INTERFACE /WX)
  endif()
endif()

if(QUARN_SANITIZE)
  target_compile_options(quarn_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(quarn_options INTERFACE -fsanitize=address,undefined)
endif()

# The fuzz build instruments the whole library for libFuzzer's coverage and
# runs it under both sanitizers.
if(QUARN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUARN_FUZZ needs clang: configure with -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
  endif()
  target_compile_options(quarn_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
  target_link_options(quarn_options INTERFACE -fsanitize=address,undefined)
endif()
