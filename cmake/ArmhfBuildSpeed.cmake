# Included after project() by tools/cross-build.sh (CMAKE_PROJECT_INCLUDE):
# the toolkit's headers are most of each source's compile time, so in the
# board's build the program's sources share them precompiled once, as the
# tests of tests/ do everywhere.
cmake_language(DEFER CALL vm24_precompile_core_headers)

function(vm24_precompile_core_headers)
  target_precompile_headers(vm24core PRIVATE <QtWidgets> <QtNetwork> <QtSql>)
  # Another build tree's header has another time: a cached precompiled
  # header must not carry the time of the one it was made from.
  target_compile_options(vm24core PRIVATE "SHELL:-Xclang -fno-pch-timestamp")
  # The objects are compiled once as an executable's code (see
  # ArmhfToolchain.cmake) and linked into the tests' shared library too.
  # Thread-local variables of an executable's code cannot be linked into a
  # shared library: the sources that have them are compiled as a library's.
  get_target_property(sources vm24core SOURCES)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.cpp$" AND EXISTS "${source}")
      file(STRINGS "${source}" thread_locals REGEX "thread_local")
      if(thread_locals)
        set_source_files_properties("${source}" TARGET_DIRECTORY vm24core PROPERTIES
          COMPILE_OPTIONS "-fPIC" SKIP_PRECOMPILE_HEADERS ON)
      endif()
    endif()
  endforeach()
endfunction()
