# Lays the shipped data set (SOURCE) into the program directory (DEST).
# The program's own files are replaced at each build; the operator's files
# (Documents/, Logs/, the message template file, the restart file and the
# port file) are only seeded: a file the operator already has (names added
# since, contacts logged, messages edited, options kept from the last run,
# ports named) is never overwritten.
#   cmake -DSOURCE=<dist> -DDEST=<program dir> -P LayOutDataSet.cmake
file(GLOB_RECURSE shipped RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(name IN LISTS shipped)
  set(target "${DEST}/${name}")
  if(name MATCHES "^(Documents/|Logs/|Dravel_MSGTEMPLATE\\.txt$|Dravel_RESTART\\.txt$|Devices/Dravel_PORTS\\.txt$)" AND EXISTS "${target}")
    continue()
  endif()
  get_filename_component(folder "${target}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${SOURCE}/${name}" "${target}" ONLY_IF_DIFFERENT)
endforeach()
