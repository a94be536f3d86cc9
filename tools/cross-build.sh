#!/usr/bin/env bash
# Builds for the board's 32-bit ARM (Debian's armhf) into build-armhf/ (or
# $VM24_ARMHF_BUILD_DIR): the program, the board simulator, the touchscreen
# plug-in and the tests that run under emulation; installs what is missing
# first.
#   bash tools/cross-build.sh armhf                  build
#   bash tools/cross-build.sh armhf --test [ARGS]    build, then run those tests
#                                                    under qemu-user (ARGS go to ctest)
#   bash tools/cross-build.sh armhf --test --all     every test of the project
# The compiler is clang with lld; the headers and libraries are those of
# Debian 12's armhf packages, in a target root that mmdebstrap extracts
# (no emulation needed) into ~/.cache/vm24 (or $VM24_TARGET_ROOT_CACHE), one
# per package list, so that a rerun or another clone reuses it. The same root
# is the library root of the emulator: build-armhf/emulate PROGRAM [ARGS...]
# runs any armhf program of the build here.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "${1:-}" != armhf ]; then
  echo "usage: $0 armhf [--test [ctest arguments...]]" >&2
  exit 2
fi
shift
run_tests=0
all_tests=0
if [ "${1:-}" = --test ]; then
  run_tests=1
  shift
  if [ "${1:-}" = --all ]; then
    all_tests=1
    shift
  fi
fi
build="${VM24_ARMHF_BUILD_DIR:-$root/build-armhf}"
source "$root/tools/compiler-cache.sh"

# The target's packages: what the program and the tests link, and what they
# load at run time (the C++ runtime, SQLite's Qt driver, the window system's
# plug-ins, the archive and package manager libraries).
target_packages=(
  libc6-dev libgcc-12-dev libgcc-s1 libstdc++-12-dev
  qt6-base-dev qt6-base-private-dev libqt6sql6-sqlite qt6-qpa-plugins
  libgl-dev libxkbcommon-dev libarchive-dev libalpm-dev
)

# The tests that run under emulation in CI: frames and the board's command
# set, the controller against a scripted board and against the armhf
# simulator over a pseudo-terminal, the simulator itself, money records and
# their dates after 2038, their writes' order on the medium, event log,
# catalogue, settings, the scheduler's time store after 2038, the board
# clock, version order, the touchscreen plug-in with the board's 16-byte
# input records; and one end-to-end case, the armhf kiosk against the armhf
# simulator (both started from the host). --all builds and runs every test.
emulated_tests=(
  board_rkprotocol board_rk710serialprotocol board_rk710controller board_controllersimulator
  rk710sim_frames rk710sim_control
  accounting_ledger accounting_accountingreport accounting_durablewrites
  logging_logconverter logging_periodicdblogger
  catalogue_productdatabase catalogue_productprovider
  settings_settingsmanager core_vm24functions
  tasks_taskscheduler tasks_rk710timeupdater updates_packageversions
  touchev_coordtransform touchev_touchevmousehandler touchev_touchevplugin
)

"$root/tools/install-deps.sh"
"$root/tools/install-deps.sh" "$root/tools/cross-packages.txt"

# The mirror the host's own packages come from.
mirror_of_host() {
  local sources
  for sources in /etc/apt/sources.list.d/*.sources; do
    [ -f "$sources" ] && sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' "$sources" | grep -v security | head -1
  done
  [ -f /etc/apt/sources.list ] && sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]*\)[[:space:]]\+bookworm[[:space:]].*/\2/p' /etc/apt/sources.list
  return 0
}

# Absolute links point into the host once the root is not /: each becomes
# relative, so that the compiler and the emulator follow it inside the root.
relative_links() {
  local dir="$1" link target
  while IFS= read -r -d '' link; do
    target="$(readlink "$link")"
    ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$dir$target")" "$link"
  done < <(find "$dir" -type l -lname '/*' -print0)
}

make_target_root() {
  local cache key mirror tmp
  cache="${VM24_TARGET_ROOT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vm24}"
  key="$(printf '%s\n' bookworm "${target_packages[@]}" | sha256sum | cut -c1-12)"
  target_root="$cache/armhf-root-$key"
  [ -e "$target_root/.complete" ] && return 0
  mkdir -p "$cache"
  tmp="$(mktemp -d "$cache/armhf-root-new.XXXXXX")"
  rmdir "$tmp"
  mirror="$(mirror_of_host | head -1)"
  echo "Making the armhf target root in $target_root"
  mmdebstrap --quiet --variant=extract --architectures=armhf \
    --include="$(IFS=,; echo "${target_packages[*]}")" bookworm "$tmp" ${mirror:+"$mirror"}
  relative_links "$tmp"
  # An extracted root keeps /lib, /bin and /sbin apart from /usr; merged,
  # as a Debian 12 system is, every library is in the one directory that
  # the emulated programs search.
  local dir
  for dir in lib bin sbin; do
    if [ -d "$tmp/$dir" ] && [ ! -L "$tmp/$dir" ]; then
      mkdir -p "$tmp/usr/$dir"
      cp -a "$tmp/$dir/." "$tmp/usr/$dir/"
      rm -rf "${tmp:?}/$dir"
      ln -s "usr/$dir" "$tmp/$dir"
    fi
  done
  # Only libraries, headers and data are taken from the root: directories
  # the emulator would otherwise show the programs in place of the host's go.
  rm -rf "${tmp:?}"/{dev,proc,sys,run,tmp,var/tmp,home,root,media,mnt,srv}
  touch "$tmp/.complete"
  rm -rf "$target_root"
  mv "$tmp" "$target_root"
}

write_emulate() {
  mkdir -p "$build"
  cat > "$build/emulate.new" <<EOF
#!/bin/sh
# Runs an armhf program of this build here under qemu-user, with the armhf
# target root as its library root and Qt's plug-ins of the root and of
# this build; everything else of the environment is passed on.
#   $build/emulate PROGRAM [ARGUMENTS...]
# The root's libraries are named by their directory: an extracted root has
# no linker cache of its own, and the host has no such directory. The
# preloaded library lets the toolkit start processes under the emulator
# (tools/emulation/forkfallback.cpp).
export QEMU_LD_PREFIX='$target_root'
export QT_PLUGIN_PATH='$build/plugins:$target_root/usr/lib/arm-linux-gnueabihf/qt6/plugins'
exec qemu-arm-static -L '$target_root' \\
  -E LD_LIBRARY_PATH=/usr/lib/arm-linux-gnueabihf \\
  -E LD_PRELOAD='$build/lib/libforkfallback.so' "\$@"
EOF
  chmod 755 "$build/emulate.new"
  mv "$build/emulate.new" "$build/emulate"
}

# The compiler finds the C++ headers through the /lib link and writes them
# into the dependency files as <root>/lib/gcc/.../../../../include, which
# the build tool shortens to <root>/include: without that path every build
# would find the headers missing and compile everything again.
link_include_directory() {
  [ -e "$target_root/include" ] || ln -sfn usr/include "$target_root/include"
}

make_target_root
link_include_directory
write_emulate

if [ ! -f "$build/build.ninja" ]; then
  # -O1 without debugging information: quick to compile, and a build made
  # for checking need not carry what a debugger reads.
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/ArmhfToolchain.cmake" \
    -DCMAKE_PROJECT_INCLUDE="$root/cmake/ArmhfBuildSpeed.cmake" \
    -DVM24_TARGET_ROOT="$target_root" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -DNDEBUG" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$build/emulate" \
    -DVM24_BENCHMARKS=OFF
fi
targets=(--target forkfallback vm24 rk710-sim touchev "${emulated_tests[@]}")
[ "$all_tests" = 1 ] && targets=()
cmake --build "$build" --parallel "${VM24_BUILD_JOBS:-$(nproc)}" "${targets[@]}"

if [ "$run_tests" = 1 ]; then
  cd "$build"
  pattern="^($(IFS='|'; echo "${emulated_tests[*]}")|e2e_coins-sale)\$"
  # Two tests make the host's package of the build they are given (x86_64:
  # pacman here installs only that) and start the installed program from a
  # private root: for the board's build they are left out.
  host_only='^(packaging_package|e2e_selfupdate)$'
  [ "$all_tests" = 1 ] && pattern=.
  ctest --output-on-failure --parallel "$(nproc)" -R "$pattern" -E "$host_only" "$@"
fi
