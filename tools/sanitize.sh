#!/usr/bin/env bash
# Builds everything with clang under AddressSanitizer and UndefinedBehavior-
# Sanitizer into build-asan/ (or $VM24_ASAN_BUILD_DIR) and runs every test but
# the end-to-end ones there; the first report fails the run. The same build
# carries the coverage instrumentation of the fuzz harnesses (tests/fuzz),
# so tools/fuzz.sh needs no build of its own.
#   bash tools/sanitize.sh [ctest arguments...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VM24_ASAN_BUILD_DIR:-$root/build-asan}"
source "$root/tools/compiler-cache.sh"
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all"
if [ ! -f "$build/build.ninja" ]; then
  # -O0 keeps the compile quick and catches what optimisation hides, such as
  # an undefined static member bound to a reference; -g1 is enough for
  # stack traces.
  cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1" \
    -DCMAKE_CXX_FLAGS="$sanitizers -fsanitize=fuzzer-no-link -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
    -DCMAKE_SHARED_LINKER_FLAGS="$sanitizers" \
    -DVM24_FUZZERS=ON \
    -DVM24_BENCHMARKS="${VM24_BENCHMARKS:-ON}"
fi
cmake --build "$build" --parallel "$(nproc)"

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=${VM24_DETECT_LEAKS:-1}:strict_string_checks=1:detect_stack_use_after_return=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:report_error_type=1"
export LSAN_OPTIONS="suppressions=$root/tools/sanitizers/lsan.supp:print_suppressions=0"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --label-exclude e2e "$@"
