# Windows: `cmake --build <dir> --target package_zip` makes Quarn-<version>.zip
# holding Kelvane.exe and a Data folder with the libraries it installs, ready
# to hand to a user (unpack, run Kelvane.exe).
if(NOT WIN32)
  return()
endif()
set(QUARN_PACKAGE_ROOT ${CMAKE_BINARY_DIR}/package/Quarn-${PROJECT_VERSION}.${QUARN_BUILD_NUMBER})
set(QUARN_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/Quarn-${PROJECT_VERSION}.${QUARN_BUILD_NUMBER}-win${QUARN_WINDOWS_BITS}.zip)
set(package_commands
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QUARN_PACKAGE_ROOT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUARN_PACKAGE_ROOT}/Data
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quarn> ${QUARN_PACKAGE_ROOT}/Data/)
set(package_targets quarn)
if(TARGET Vorel)
  list(APPEND package_commands COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Vorel> ${QUARN_PACKAGE_ROOT}/Data/)
  list(APPEND package_targets Vorel)
elseif(TARGET vorel)
  list(APPEND package_commands COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:vorel> ${QUARN_PACKAGE_ROOT}/Data/)
  list(APPEND package_targets vorel)
endif()
if(TARGET kelvane)
  list(APPEND package_commands COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kelvane> ${QUARN_PACKAGE_ROOT}/)
  list(APPEND package_targets kelvane)
endif()
add_custom_target(package_zip
  ${package_commands}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package
          ${CMAKE_COMMAND} -E tar cf ${QUARN_PACKAGE_ZIP} --format=zip Quarn-${PROJECT_VERSION}.${QUARN_BUILD_NUMBER}
  DEPENDS ${package_targets}
  COMMENT "Packaging ${QUARN_PACKAGE_ZIP}"
  VERBATIM)
