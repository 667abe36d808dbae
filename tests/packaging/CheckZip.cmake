# The portable zip holds exactly the four shipped files, at its top, each the same as the
# build's own. cmake -DZIP=<zip> -DBIN=<build>/bin -DWORK=<scratch folder> -P CheckZip.cmake
set(expected Quorvex.exe Skinlet.dll UpdateApp.exe skin.smf)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${ZIP}: ${status}")
endif()

file(GLOB_RECURSE found RELATIVE ${WORK} ${WORK}/*)
list(SORT found)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "${ZIP} holds [${found}], expected [${expected}]")
endif()
foreach(name ${expected})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name} ${BIN}/${name} RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} in ${ZIP} differs from ${BIN}/${name}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
