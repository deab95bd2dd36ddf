# The contact library: the contact in progress (TLogLine), its record line
# (TLogRecord), the log files (TContactLog), the operators' names
# (TOperatorList) and the text utilities and platform pieces they use. The
# core links it, and so does the logging grid a radio library attaches to
# its panel: a contact logged on either is written by this one code. It
# links no Qt and holds no global state of the program's (no message sink:
# the log files answer what the operator is to be told).
set(contact_sources
  ${CMAKE_CURRENT_LIST_DIR}/data/TLogLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/data/TLogRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/data/TContactLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/data/TOperator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/data/TOperatorList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/data/TextUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/data/TextFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform/DateTime.cpp)
if(NOT WIN32)
  foreach(pair DateTime FileHandle Files LargeMemory SystemError)
    list(APPEND contact_sources ${CMAKE_CURRENT_LIST_DIR}/platform/posix/${pair}_posix.cpp)
  endforeach()
endif()

add_library(talvex_contacts STATIC ${contact_sources})
set_target_properties(talvex_contacts PROPERTIES AUTOMOC OFF POSITION_INDEPENDENT_CODE ON)
target_include_directories(talvex_contacts PUBLIC ${CMAKE_CURRENT_LIST_DIR})
