# A rebuild refreshes the program's own files but keeps the operator's names
# and logs.   cmake -DSCRIPT=<LayOutDataSet.cmake> -DWORK=<scratch dir> -P ...
set(source "${WORK}/dist")
set(dest "${WORK}/program")
file(REMOVE_RECURSE "${WORK}")
file(WRITE "${source}/Dravel_INI.txt" "VERSION=2\n")
file(WRITE "${source}/Documents/Talvex_NAMES.txt" "")
file(WRITE "${source}/Logs/Dravel_DEFAULTLOG.txt" "")
file(WRITE "${source}/Dravel_MSGTEMPLATE.txt" "MSG=CQ,CQ\n")
file(WRITE "${dest}/Dravel_INI.txt" "VERSION=1\n")
file(WRITE "${dest}/Dravel_MSGTEMPLATE.txt" "MSG=CQ,MY CQ\n")
file(WRITE "${dest}/Documents/Talvex_NAMES.txt" "K1ABC,JOE\n")
file(WRITE "${dest}/Logs/Dravel_DEFAULTLOG.txt" "a contact\n")

execute_process(COMMAND "${CMAKE_COMMAND}" -DSOURCE=${source} -DDEST=${dest} -P "${SCRIPT}"
  RESULT_VARIABLE rc)

function(expect path text)
  file(READ "${dest}/${path}" got)
  if(NOT got STREQUAL text)
    message(FATAL_ERROR "${path}: expected '${text}', found '${got}'")
  endif()
endfunction()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the layout script failed: ${rc}")
endif()
expect(Dravel_INI.txt "VERSION=2\n")
expect(Documents/Talvex_NAMES.txt "K1ABC,JOE\n")
expect(Logs/Dravel_DEFAULTLOG.txt "a contact\n")
expect(Dravel_MSGTEMPLATE.txt "MSG=CQ,MY CQ\n")

# A fresh program directory gets every shipped file.
file(REMOVE_RECURSE "${dest}")
execute_process(COMMAND "${CMAKE_COMMAND}" -DSOURCE=${source} -DDEST=${dest} -P "${SCRIPT}")
expect(Dravel_INI.txt "VERSION=2\n")
expect(Documents/Talvex_NAMES.txt "")
expect(Dravel_MSGTEMPLATE.txt "MSG=CQ,CQ\n")
file(REMOVE_RECURSE "${WORK}")
