# Fails when the program FILE names any library matching FORBIDDEN among the
# shared libraries it needs itself (the dynamic section's NEEDED entries).
# What those libraries need in turn is theirs: Debian's Qt Gui brings D-Bus.
execute_process(COMMAND readelf -d ${FILE} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "readelf could not read ${FILE}")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
foreach(entry IN LISTS needed)
  if(entry MATCHES "${FORBIDDEN}")
    message(FATAL_ERROR "${FILE} links ${entry}")
  endif()
endforeach()
if(NOT needed)
  message(FATAL_ERROR "no NEEDED entries in ${FILE}")
endif()
