# Cross toolchain for 64-bit Windows with Debian's MinGW-w64 (posix threads).
#
# The posix flavour is required: the win32 flavour has no std::thread/std::mutex
# in GCC 12, which both Qt and googletest use.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_zk_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${_zk_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_zk_triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${_zk_triple}-windres)

# Where the cross-built third-party prefixes live. A copy of this file placed
# in the cache root (marked by .zelkor-win-cache) pins itself to that folder so
# the Qt prefix that remembers it keeps working whatever the environment says.
if(EXISTS "${CMAKE_CURRENT_LIST_DIR}/.zelkor-win-cache")
  set(_zk_cache "${CMAKE_CURRENT_LIST_DIR}")
else()
  set(_zk_cache "$ENV{HOME}/.cache/zelkor-editor")
endif()

# The cache comes first so that our static libraries win over any MinGW
# -dev packages installed system-wide.
list(APPEND CMAKE_FIND_ROOT_PATH
  "${_zk_cache}/qt-6.4.2-mingw64"
  "${_zk_cache}/deps-mingw64"
  "/usr/${_zk_triple}")
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)

# Host programs (moc, rcc, ninja, ...) must come from the build machine;
# everything linked into the product must come from the cross prefixes.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

