#!/usr/bin/env bash
# Builds the machine's packages of vm24 from build trees (nothing is
# compiled here) and, for each architecture, the tree an update server
# serves to its machines.
#
#   tools/package.sh [--release N] [--url-base URL] [--out DIR]
#                    [--build DIR] [--armhf-build DIR] [--arch ARCH]
#                    [--sign-key FILE]
#
#   --release N        the package release, default 1
#   --url-base URL     where the update server is reached, e.g.
#                      http://updates.example.com; the package list names the
#                      package as URL/firmware/<file>. Without it no list is
#                      written.
#   --out DIR          output directory, default build-packages
#   --build DIR        the x86_64 build tree, default build
#   --armhf-build DIR  the armv7h build tree, default build-armhf (skipped
#                      when it holds no program)
#   --arch ARCH        only this architecture (x86_64 or armv7h)
#   --sign-key FILE    the owner's Ed25519 private key file (or the file
#                      named by VM24_SIGN_KEY): the package list gets its
#                      signed index package-list.txt.index(.sig), which
#                      machines holding the update key require
#
# Writes OUT/vm24-<version>-<release>-<arch>.pkg.tar.zst and, with a URL
# base, OUT/server-<arch>/firmware/package-list.txt with the package beside
# it: publishing a release is copying server-<arch>/ to the server's root.
# The version is the project version of the build tree's CMake cache.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
release=1
url_base=""
out="$root/build-packages"
x86_build="$root/build"
armhf_build="$root/build-armhf"
only_arch=""
sign_key="${VM24_SIGN_KEY:-}"

usage() { sed -n '6,23p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2; exit 2; }
while [ $# -gt 0 ]; do
  case "$1" in
    --release) release="${2:-}"; shift 2 ;;
    --url-base) url_base="${2:-}"; shift 2 ;;
    --out) out="${2:-}"; shift 2 ;;
    --build) x86_build="${2:-}"; shift 2 ;;
    --armhf-build) armhf_build="${2:-}"; shift 2 ;;
    --arch) only_arch="${2:-}"; shift 2 ;;
    --sign-key) sign_key="${2:-}"; shift 2 ;;
    *) usage ;;
  esac
done
[[ "$release" =~ ^[1-9][0-9]*$ ]] || { echo "package.sh: the release is a positive number, not '$release'" >&2; exit 2; }
[[ -z "$only_arch" || "$only_arch" =~ ^(x86_64|armv7h)$ ]] || { echo "package.sh: unknown architecture '$only_arch'" >&2; exit 2; }
[[ -z "$url_base" || "$url_base" =~ ^https?://[^[:space:]]+$ ]] || { echo "package.sh: the URL base is http(s)://host[:port][/path], not '$url_base'" >&2; exit 2; }
url_base="${url_base%/}"
[[ -z "$sign_key" || -r "$sign_key" ]] || { echo "package.sh: cannot read the signing key '$sign_key'" >&2; exit 2; }
[[ -z "$sign_key" || -n "$url_base" ]] || { echo "package.sh: --sign-key signs the package list: give --url-base too" >&2; exit 2; }
mkdir -p "$out"
out="$(cd "$out" && pwd)"

project_version() {
  sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

# makepkg refuses to run as root: as root it runs as nobody, in a work
# directory of its own that nobody may write.
as_builder() {
  if [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"
  else
    "$@"
  fi
}

# The program of a build tree must be one the architecture runs.
check_machine() {
  local file="$1" arch="$2" machine
  machine="$(readelf -h "$file" | sed -n 's/^ *Machine: *//p')"
  case "$arch:$machine" in
    x86_64:*X86-64*|armv7h:ARM) ;;
    *) echo "package.sh: $file is built for '$machine', not for $arch" >&2; return 1 ;;
  esac
}

strip_copy() {
  local from="$1" to="$2"
  if command -v llvm-strip >/dev/null; then
    llvm-strip --strip-unneeded -o "$to" "$from"
  else
    strip --strip-unneeded -o "$to" "$from"
  fi
  chmod 755 "$to"
}

# package ARCH BUILD_DIR
package() {
  local arch="$1" build="$2"
  local version
  version="$(project_version "$build")"
  [ -n "$version" ] || { echo "package.sh: no project version in $build/CMakeCache.txt" >&2; return 1; }
  local work
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' RETURN
  check_machine "$build/bin/vm24" "$arch"
  check_machine "$build/plugins/generic/libtouchev.so" "$arch"
  strip_copy "$build/bin/vm24" "$work/vm24"
  strip_copy "$build/plugins/generic/libtouchev.so" "$work/libtouchev.so"
  cp "$root/packaging/PKGBUILD" "$work/PKGBUILD"
  cat > "$work/makepkg.conf" <<CONF
source /etc/makepkg.conf
CARCH="$arch"
PKGEXT='.pkg.tar.zst'
BUILDENV=(!distcc !color !ccache !check !sign)
CONF
  mkdir -p "$work/out"
  [ "$(id -u)" -eq 0 ] && chown -R nobody:nogroup "$work"
  chmod 755 "$work"
  ( cd "$work" && as_builder env -i PATH="/usr/bin:/bin" HOME="$work" LC_ALL=C \
      VM24_VERSION="$version" VM24_RELEASE="$release" VM24_SOURCE="$root" \
      VM24_BIN="$work/vm24" VM24_PLUGIN="$work/libtouchev.so" \
      BUILDDIR="$work/makepkg" PKGDEST="$work/out" SRCDEST="$work" LOGDEST="$work" \
      makepkg --config "$work/makepkg.conf" --force --nodeps --noconfirm --nocolor -p PKGBUILD >"$work/makepkg.log" 2>&1 ) || {
    cat "$work/makepkg.log" >&2
    echo "package.sh: makepkg failed for $arch" >&2
    return 1
  }
  local name="vm24-$version-$release-$arch.pkg.tar.zst"
  [ -f "$work/out/$name" ] || { echo "package.sh: makepkg wrote no $name" >&2; return 1; }
  rm -f "$out/$name"
  mv "$work/out/$name" "$out/$name"
  chown "$(id -u):$(id -g)" "$out/$name"
  echo "package: $out/$name ($(du -k "$out/$name" | cut -f1) KiB)"
  server_tree "$arch" "$version-$release" "$name"
}

# The tree an update server serves to the machines of one architecture.
server_tree() {
  local arch="$1" version="$2" name="$3"
  local tree="$out/server-$arch"
  if [ -z "$url_base" ]; then
    echo "package list: not written for $arch (no --url-base)"
    return
  fi
  rm -rf "$tree"
  mkdir -p "$tree/firmware"
  ln "$out/$name" "$tree/firmware/$name" 2>/dev/null || cp "$out/$name" "$tree/firmware/$name"
  cat > "$tree/firmware/package-list.txt" <<LIST
# vm24 for $arch machines: policy, package, version, URL
auto vm24 $version $url_base/firmware/$name
LIST
  if [ -n "$sign_key" ]; then
    "$root/tools/sign-index.sh" "$tree/firmware/package-list.txt.index" "$sign_key" all \
      "$tree/firmware/package-list.txt" "$tree/firmware/$name"
  fi
  echo "update server tree: $tree (publish by copying it to the server's root)"
}

if [ -z "$only_arch" ] || [ "$only_arch" = x86_64 ]; then
  [ -x "$x86_build/bin/vm24" ] || { echo "package.sh: no program in $x86_build/bin (build it with tools/build.sh)" >&2; exit 1; }
  package x86_64 "$x86_build"
fi
if [ -z "$only_arch" ] || [ "$only_arch" = armv7h ]; then
  if [ -x "$armhf_build/bin/vm24" ]; then
    package armv7h "$armhf_build"
  elif [ "$only_arch" = armv7h ]; then
    echo "package.sh: no armv7h program in $armhf_build/bin" >&2
    exit 1
  else
    echo "armv7h: skipped, no program in $armhf_build/bin (the cross build writes it)"
  fi
fi
