# Builds the consumer project against Velmor and runs it (cmake -P):
#   MODE=find_package      Velmor is built and installed into a prefix in
#                          WORK, and the consumer finds it there
#   MODE=add_subdirectory  the consumer includes Velmor's source tree
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "failed with ${status}: ${command}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
set(configure -G ${GENERATOR} -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${CXX_COMPILER})
if(LAUNCHER)
  list(APPEND configure -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()

if(MODE STREQUAL "find_package")
  run(${CMAKE_COMMAND} -S ${VELMOR_SOURCE} -B ${WORK}/velmor ${configure} -DVELMOR_WERROR=${WERROR}
      -DVELMOR_SDL=OFF -DVELMOR_TESTS=OFF -DVELMOR_BENCH=OFF -DVELMOR_TOOLS=OFF)
  run(${CMAKE_COMMAND} --build ${WORK}/velmor)
  run(${CMAKE_COMMAND} --install ${WORK}/velmor --prefix ${WORK}/prefix)
  # The headers a game needs, and not the test and tool harness's.
  foreach(header core/Application.h platform/headless/HeadlessPlatform.h)
    if(NOT EXISTS ${WORK}/prefix/include/velmor/${header})
      message(FATAL_ERROR "the package lacks include/velmor/${header}")
    endif()
  endforeach()
  foreach(absent harness platform/sdl platform/win32)
    if(EXISTS ${WORK}/prefix/include/velmor/${absent})
      message(FATAL_ERROR "the package installs include/velmor/${absent}, which no installed library has")
    endif()
  endforeach()
  run(${CMAKE_COMMAND} -S ${CONSUMER_SOURCE} -B ${WORK}/consumer ${configure} -DCMAKE_PREFIX_PATH=${WORK}/prefix)
elseif(MODE STREQUAL "add_subdirectory")
  run(${CMAKE_COMMAND} -S ${CONSUMER_SOURCE} -B ${WORK}/consumer ${configure} -DVELMOR_WERROR=${WERROR}
      -DVELMOR_SOURCE_TREE=${VELMOR_SOURCE})
else()
  message(FATAL_ERROR "MODE must be find_package or add_subdirectory, not '${MODE}'")
endif()
run(${CMAKE_COMMAND} --build ${WORK}/consumer)
run(${WORK}/consumer/velmor_consumer ${CONSUMER_SOURCE}/)
