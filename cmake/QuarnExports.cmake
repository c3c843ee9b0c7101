# The names that the shared library exports are the functions that the public
# header declares with QUARN_API. This reads them, so that the Windows
# module-definition file and the export checks never go stale.
function(quarn_declared_exports header out_var)
  file(READ "${header}" text)
  string(REGEX MATCHALL "QUARN_API[^(]*QUARN_CALL[ \t\r\n]+[A-Za-z_][A-Za-z0-9_]*" declarations "${text}")
  set(names "")
  foreach(d ${declarations})
    string(REGEX REPLACE ".*QUARN_CALL[ \t\r\n]+" "" name "${d}")
    list(APPEND names "${name}")
  endforeach()
  list(SORT names)
  set(${out_var} "${names}" PARENT_SCOPE)
endfunction()

# Writes a module-definition file exporting `names` undecorated.
function(quarn_write_def_file path library names)
  set(content "LIBRARY ${library}\nEXPORTS\n")
  foreach(name ${names})
    string(APPEND content "  ${name}\n")
  endforeach()
  file(CONFIGURE OUTPUT "${path}" CONTENT "${content}" @ONLY)
endfunction()
