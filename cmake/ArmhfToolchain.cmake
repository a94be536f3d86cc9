# Cross build for the board: 32-bit ARM with hardware floating point, the
# ABI of Debian's armhf. clang and lld compile and link against a target root
# of Debian's own armhf packages (tools/cross-build.sh makes it and passes
# VM24_TARGET_ROOT); the Qt tools that run during the build (moc, rcc, uic,
# lrelease) are the host's.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR armv7l)

if(NOT VM24_TARGET_ROOT)
  set(VM24_TARGET_ROOT "$ENV{VM24_TARGET_ROOT}")
endif()
if(NOT VM24_TARGET_ROOT OR NOT EXISTS "${VM24_TARGET_ROOT}/usr/lib/arm-linux-gnueabihf")
  message(FATAL_ERROR "VM24_TARGET_ROOT must name an armhf target root (tools/cross-build.sh makes one)")
endif()
# The checks CMake compiles in projects of their own see the same root.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VM24_TARGET_ROOT)

set(CMAKE_SYSROOT "${VM24_TARGET_ROOT}")
set(CMAKE_LIBRARY_ARCHITECTURE arm-linux-gnueabihf)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET arm-linux-gnueabihf)
set(CMAKE_CXX_COMPILER_TARGET arm-linux-gnueabihf)
# Debian's armhf baseline: ARMv7-A, VFPv3 with 16 double registers, Thumb-2.
set(CMAKE_C_FLAGS_INIT "-march=armv7-a -mfpu=vfpv3-d16 -mthumb")
set(CMAKE_CXX_FLAGS_INIT "-march=armv7-a -mfpu=vfpv3-d16 -mthumb")
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld")
endforeach()
# The program's objects are compiled once, as code of a position-independent
# executable (the compiler's default; the toolkit asks for no -fPIC here as
# it does on amd64), and linked into the kiosk and into the tests' shared
# library. That library binds its own symbols to itself, so that the same
# objects link there too.
string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT " -Wl,-Bsymbolic")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The host's Qt: its tools packages are taken by their directories, so that
# the target root's (whose programs are ARM ones) are never found first.
set(QT_HOST_PATH /usr)
file(GLOB VM24_HOST_QT_TOOLS_DIR LIST_DIRECTORIES true /usr/lib/*-linux-gnu*/cmake/Qt6CoreTools)
list(FILTER VM24_HOST_QT_TOOLS_DIR EXCLUDE REGEX "arm-linux-gnueabihf")
if(NOT VM24_HOST_QT_TOOLS_DIR)
  message(FATAL_ERROR "the host's Qt 6 tools (qt6-base-dev) are not installed")
endif()
list(GET VM24_HOST_QT_TOOLS_DIR 0 VM24_HOST_QT_TOOLS_DIR)
get_filename_component(QT_HOST_PATH_CMAKE_DIR "${VM24_HOST_QT_TOOLS_DIR}" DIRECTORY)
foreach(tools CoreTools GuiTools WidgetsTools DBusTools LinguistTools ToolsTools HostInfo)
  if(EXISTS "${QT_HOST_PATH_CMAKE_DIR}/Qt6${tools}")
    set(Qt6${tools}_DIR "${QT_HOST_PATH_CMAKE_DIR}/Qt6${tools}" CACHE PATH "host Qt tools")
  endif()
endforeach()
