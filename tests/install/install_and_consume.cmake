# cmake -DBUILD_DIR=... -DCONSUMER_DIR=... -DWORK_DIR=... -DMETHOD=cmake|pkgconfig
#       [-DSANITIZER=...] -P install_and_consume.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}\n${out}\n${err}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")

foreach(expected include/zor.h include/zorbase.h include/zornum.h
                 include/zor/visa_types.h lib/libzor.so lib/libzorbase.so lib/libzornum.so
                 lib/cmake/zor/zorConfig.cmake lib/pkgconfig/zor.pc)
  if(NOT EXISTS "${prefix}/${expected}")
    message(FATAL_ERROR "not installed: ${expected}")
  endif()
endforeach()

set(ENV{PKG_CONFIG_PATH} "${prefix}/lib/pkgconfig")
run(${CMAKE_COMMAND} -S "${CONSUMER_DIR}" -B "${WORK_DIR}/consumer" -G Ninja
    -DCMAKE_PREFIX_PATH=${prefix} -DMETHOD=${METHOD} -DSANITIZER=${SANITIZER})
run(${CMAKE_COMMAND} --build "${WORK_DIR}/consumer")
run("${WORK_DIR}/consumer/consumer")
