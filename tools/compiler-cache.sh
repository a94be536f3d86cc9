# Sourced by the build scripts: how the compiler cache is used.
# The cache keys on paths relative to the checkout, so another clone or work
# tree of the same sources reuses what was compiled once.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
# The tests share a precompiled header, which the cache takes only with these.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
