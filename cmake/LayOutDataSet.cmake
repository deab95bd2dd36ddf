# Lays the shipped data set (SOURCE) into the program directory (DEST).
# The program's own files are replaced at each build; the operator's files in
# Documents/ and Logs/ are only seeded: a file the operator already has there
# (names added since, contacts logged) is never overwritten.
#   cmake -DSOURCE=<dist> -DDEST=<program dir> -P LayOutDataSet.cmake
file(GLOB_RECURSE shipped RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(name IN LISTS shipped)
  set(target "${DEST}/${name}")
  if(name MATCHES "^(Documents|Logs)/" AND EXISTS "${target}")
    continue()
  endif()
  get_filename_component(folder "${target}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${SOURCE}/${name}" "${target}" ONLY_IF_DIFFERENT)
endforeach()
