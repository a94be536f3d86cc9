# cmake -DBUILD_DIR=<build tree> -P buildprobes.cmake
# Builds the probes of this folder and fails unless each ends as it must.

function(build_probe probe)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target layers_${probe}_probe
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(probe_result "${result}" PARENT_SCOPE)
  set(probe_output "${output}" PARENT_SCOPE)
endfunction()

# The compilers' words for a header that is not on any include path.
function(expect_missing_header probe header)
  build_probe(${probe})
  if(probe_result EQUAL 0)
    message(FATAL_ERROR "layers_${probe}_probe compiled, so ${header} was found:\n${probe_output}")
  endif()
  string(FIND "${probe_output}" "${header}: No such file or directory" gcc_missing)
  string(FIND "${probe_output}" "'${header}' file not found" clang_missing)
  if(gcc_missing EQUAL -1 AND clang_missing EQUAL -1)
    message(FATAL_ERROR "layers_${probe}_probe failed, but not for want of ${header}:\n${probe_output}")
  endif()
  message(STATUS "layers_${probe}_probe: ${header} not found, as it must not be")
endfunction()

function(expect_compiles probe)
  build_probe(${probe})
  if(NOT probe_result EQUAL 0)
    message(FATAL_ERROR "layers_${probe}_probe failed to compile:\n${probe_output}")
  endif()
  message(STATUS "layers_${probe}_probe compiled")
endfunction()

expect_compiles(downward)
expect_missing_header(upward vending/sessioncredit.h)
expect_missing_header(sibling logging/alarmnotification.h)
