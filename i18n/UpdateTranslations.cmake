# Runs lupdate over every existing source folder named in DIRS (a ';' list relative to SOURCE_DIR)
# and refreshes the catalogues in TS_FILES. Called by the update_translations target.
set(paths)
foreach(dir ${DIRS})
  if(IS_DIRECTORY ${SOURCE_DIR}/${dir})
    list(APPEND paths ${SOURCE_DIR}/${dir})
  endif()
endforeach()
message(STATUS "lupdate over: ${paths}")
execute_process(
  COMMAND ${LUPDATE} -no-obsolete -locations none ${paths} -ts ${TS_FILES}
  WORKING_DIRECTORY ${SOURCE_DIR}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${result})")
endif()
