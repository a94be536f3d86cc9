# Every test runs headless, in its own application directory, and records
# platform actions (reboot, clock, host name, network...) instead of running them.
set(VM24_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen"
  "QT_QPA_FONTDIR=/usr/share/fonts/truetype"
  "VM24_SERIAL_DEVICE=/nonexistent/vm24-test-serial"
)
# A cross build runs its tests under emulation (cmake/ArmhfToolchain.cmake);
# the tests start the build's other programs through the same emulator.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  list(APPEND VM24_TEST_ENVIRONMENT "VM24_EMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}")
endif()

# vm24_add_test(<name> SOURCES <files...> [LIBRARIES <libs...>] [LABELS <labels...>] [TIMEOUT <s>])
function(vm24_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE vm24testsupport ${T_LIBRARIES} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set(timeout 300)
  if(T_TIMEOUT)
    set(timeout ${T_TIMEOUT})
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${VM24_TEST_ENVIRONMENT};VM24_SYSTEM_ACTIONS_RECORD=${CMAKE_BINARY_DIR}/tests/${name}.actions"
    TIMEOUT ${timeout}
    LABELS "${T_LABELS}")
endfunction()
