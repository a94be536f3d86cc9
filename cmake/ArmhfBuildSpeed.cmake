# Included after project() by tools/cross-build.sh (CMAKE_PROJECT_INCLUDE):
# the toolkit's headers are most of each source's compile time, so in the
# board's build the program's sources share them precompiled once, as the
# tests of tests/ do everywhere. The folders' libraries differ only in their
# include directories, which clang does not hold against a precompiled
# header: all of them take the lowest one's.
cmake_language(DEFER CALL vm24_precompile_layer_headers)

function(vm24_precompile_layer_headers)
  get_property(libraries GLOBAL PROPERTY VM24_LAYER_LIBRARIES)
  foreach(library IN LISTS libraries)
    if(library STREQUAL "vm24_core")
      target_precompile_headers(vm24_core PRIVATE <QtWidgets> <QtNetwork> <QtSql>)
    else()
      target_precompile_headers(${library} REUSE_FROM vm24_core)
    endif()
    # Another build tree's header has another time: a cached precompiled
    # header must not carry the time of the one it was made from.
    target_compile_options(${library} PRIVATE "SHELL:-Xclang -fno-pch-timestamp")
    vm24_compile_thread_locals_as_library_code(${library})
  endforeach()
endfunction()

function(vm24_compile_thread_locals_as_library_code library)
  # The objects are compiled once as an executable's code (see
  # ArmhfToolchain.cmake) and linked into the tests' shared library too.
  # Thread-local variables of an executable's code cannot be linked into a
  # shared library: the sources that have them are compiled as a library's.
  get_target_property(sources ${library} SOURCES)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.cpp$" AND EXISTS "${source}")
      file(STRINGS "${source}" thread_locals REGEX "thread_local")
      if(thread_locals)
        set_source_files_properties("${source}" TARGET_DIRECTORY ${library} PROPERTIES
          COMPILE_OPTIONS "-fPIC" SKIP_PRECOMPILE_HEADERS ON)
      endif()
    endif()
  endforeach()
endfunction()
